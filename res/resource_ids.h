#pragma once

// Resource and command identifiers, shared by the resource script and the code.
#define PICTURE_BITMAP 101
#define SETTINGS_MENU 103
#define NORMAL_PRIORITY_COMMAND 40001
#define HIGH_PRIORITY_COMMAND 40002
#define APPLICATION_ICON 32512
