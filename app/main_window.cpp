#include "app/main_window.h"

MainWindow theMainWindow;

MainWindow::~MainWindow() {}
