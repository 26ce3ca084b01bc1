#include "ui/frame_window.h"
#include "virtual_slots.h"

#include <gtest/gtest.h>

namespace {

// Code built against the library finds each operation by its slot.
TEST(VirtualSlots, OneTableInItsOrderForTheWholeFamily) {
    ExpectSlots<Window>(WindowSlots<Window>());
    ExpectSlots<CommandWindow>(CommandSlots<CommandWindow>());
    ExpectSlots<FrameWindow>(CommandSlots<FrameWindow>());
}

} // namespace
