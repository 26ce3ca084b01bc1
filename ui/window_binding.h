#pragma once

#include "ui/window.h"

// How objects get bound to windows as they are created: the creation hook
// binds the newest pending object to the next window announced.

extern HHOOK theCreationHook;
extern Window* thePendingWindows;  // objects whose window is being created
extern Window* theAttachedWindows; // bound objects

// The WH_CBT hook procedure.
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);

// Registers class "Window" if needed, installs the hook if none is set and
// queues the object; 1, or 0 when registration or the hook failed.
int PrepareCreation(Window* object);

// Takes the object off the pending list; removes the hook once none is pending.
void FinishCreation(Window* object);

// Takes an object that a failed Destroy left in the attached list off it,
// with its old procedure, so that binding it again lists it once.
void ForgetStaleBinding(Window* object);

// Unbinds an object whose window was refused in WM_CREATE and is gone, and
// every bound object whose window went with it, doing what their WM_DESTROY
// would have: some platforms (Wine) send none.
void ForgetRefusedWindow(Window* object);

// List helpers over the shared `nextWindow` link. Appending an object that is
// already in the list leaves the list as it is.
void AppendWindow(Window** head, Window* object);
// Unlinks the object if it is in the list and clears its link; true if it was.
bool UnlinkWindow(Window** head, Window* object);
