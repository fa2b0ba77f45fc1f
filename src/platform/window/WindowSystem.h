#pragma once
// The window system in one include: windows and messages, painting, input,
// focus, timers, the screen, cursors and the clipboard.

#include "platform/gdi/Gdi.h"
#include "platform/window/Clipboard.h"
#include "platform/window/Clock.h"
#include "platform/window/Cursor.h"
#include "platform/window/DropFiles.h"
#include "platform/window/Focus.h"
#include "platform/window/Input.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Messages.h"
#include "platform/window/Painting.h"
#include "platform/window/Screen.h"
#include "platform/window/ScrollBars.h"
#include "platform/window/Timers.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyles.h"
