#pragma once

// Dialog templates of the test resource script.
#define BUTTONS_DIALOG 100 // buttons with ids 1 (OK) and 6 (Yes)
#define EDIT_DIALOG 101    // one edit control with id 2
