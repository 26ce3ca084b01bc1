#pragma once

#include "ui/command_window.h"

#include <gtest/gtest.h>

#include <stddef.h>
#include <string.h>

#include <string>
#include <utility>
#include <vector>

// The table slot of a virtual member function, or -1 for a non-virtual one.
// The Itanium C++ ABI (MinGW's) keeps a pointer to a virtual member function
// as 1 plus its byte offset in the table, beside a this-adjustment.
template <class Member> ptrdiff_t VirtualSlot(Member member) {
    static_assert(sizeof member == 2 * sizeof(ptrdiff_t), "an Itanium member pointer");
    ptrdiff_t raw[2];
    memcpy(raw, &member, sizeof raw);
    if ((raw[0] & 1) == 0)
        return -1;
    return (raw[0] - 1) / ptrdiff_t(sizeof(void*));
}

// The destructor's two entries (complete and deleting) come first.
const ptrdiff_t kFirstOperationSlot = 2;

typedef std::vector<std::pair<std::string, ptrdiff_t>> SlotTable;

#define VESKO_SLOT(Class, operation)                                                               \
    { #operation, VirtualSlot(&Class::operation) }

// Window's operations in their one order, as seen through `Class`.
template <class Class> SlotTable WindowSlots() {
    return {
        VESKO_SLOT(Class, Create),
        VESKO_SLOT(Class, Destroy),
        VESKO_SLOT(Class, Attach),
        VESKO_SLOT(Class, Detach),
        VESKO_SLOT(Class, Post),
        VESKO_SLOT(Class, Send),
        VESKO_SLOT(Class, ClientRect),
        VESKO_SLOT(Class, ClientWidth),
        VESKO_SLOT(Class, ClientHeight),
        VESKO_SLOT(Class, WindowRect),
        VESKO_SLOT(Class, WindowWidth),
        VESKO_SLOT(Class, WindowHeight),
        VESKO_SLOT(Class, SetText),
        VESKO_SLOT(Class, GetText),
        VESKO_SLOT(Class, Redraw),
        VESKO_SLOT(Class, Invalidate),
        VESKO_SLOT(Class, Parent),
        VESKO_SLOT(Class, ShowMessage),
        VESKO_SLOT(Class, SetBackgroundBitmap),
        VESKO_SLOT(Class, SetFont),
        VESKO_SLOT(Class, SetMenuBar),
        VESKO_SLOT(Class, SetBackgroundColour),
        VESKO_SLOT(Class, Show),
        VESKO_SLOT(Class, Update),
        VESKO_SLOT(Class, Handle),
        VESKO_SLOT(Class, GetItem),
        VESKO_SLOT(Class, GetItemInt),
        VESKO_SLOT(Class, GetItemText),
        VESKO_SLOT(Class, SetItemInt),
        VESKO_SLOT(Class, SetItemText),
        VESKO_SLOT(Class, OnActivate),
        VESKO_SLOT(Class, OnActivateApp),
        VESKO_SLOT(Class, OnClose),
        VESKO_SLOT(Class, OnCommand),
        VESKO_SLOT(Class, OnCreate),
        VESKO_SLOT(Class, OnDestroy),
        VESKO_SLOT(Class, OnEraseBackground),
        VESKO_SLOT(Class, OnInitDialog),
        VESKO_SLOT(Class, OnLeftButtonDown),
        VESKO_SLOT(Class, OnLeftButtonUp),
        VESKO_SLOT(Class, OnRightButtonDown),
        VESKO_SLOT(Class, OnRightButtonUp),
        VESKO_SLOT(Class, OnPaint),
    };
}

// The dialog operations CommandWindow appends, in their order.
template <class Class> SlotTable CommandSlots() {
    SlotTable slots = WindowSlots<Class>();
    SlotTable appended = {
        VESKO_SLOT(Class, CreateModeless), VESKO_SLOT(Class, DoModal),  VESKO_SLOT(Class, End),
        VESKO_SLOT(Class, OnOk),           VESKO_SLOT(Class, OnCancel), VESKO_SLOT(Class, OnYes),
        VESKO_SLOT(Class, OnNo),           VESKO_SLOT(Class, OnAbort),  VESKO_SLOT(Class, OnRetry),
        VESKO_SLOT(Class, OnIgnore),
    };
    slots.insert(slots.end(), appended.begin(), appended.end());
    return slots;
}

#undef VESKO_SLOT

// A class one virtual operation longer: that operation's slot is the first
// after the whole table of `Base`, so nothing may follow the listed ones.
template <class Base> class AppendedSlotProbe : public Base {
  public:
    virtual void Appended() {}
};

// Each listed operation in the slot after the one before it, and nothing
// after the last.
template <class Class> void ExpectSlots(const SlotTable& slots) {
    for (size_t i = 0; i < slots.size(); ++i)
        EXPECT_EQ(kFirstOperationSlot + ptrdiff_t(i), slots[i].second) << slots[i].first;
    EXPECT_EQ(kFirstOperationSlot + ptrdiff_t(slots.size()),
              VirtualSlot(&AppendedSlotProbe<Class>::Appended))
        << "an operation after " << slots.back().first;
}
