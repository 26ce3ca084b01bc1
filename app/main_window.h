#pragma once

#include "ui/window.h"

// The application's one window: the picture, the Settings menu and the
// status line in its title.
class MainWindow : public Window {
  public:
    ~MainWindow() override;
};

// Constructed before WinMain runs; constructing it creates no window.
extern MainWindow theMainWindow;
