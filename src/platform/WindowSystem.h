#pragma once
// The window system in one include: windows and messages, painting, input,
// focus, timers, the screen, cursors and the clipboard.

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Cursor.h"
#include "platform/Focus.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/MessageQueue.h"
#include "platform/Messages.h"
#include "platform/Painting.h"
#include "platform/Screen.h"
#include "platform/ScrollBars.h"
#include "platform/Timers.h"
#include "platform/VirtualKeys.h"
#include "platform/Window.h"
#include "platform/WindowStyles.h"
