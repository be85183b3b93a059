// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QMargins>

class QWidget;

namespace rt::qt::detail {

// The frame that the platform will put around a top-level window that has its
// native window but has not been shown yet. An X11 window manager is asked for
// it (_NET_REQUEST_FRAME_EXTENTS) and answers within a few milliseconds; a
// platform that cannot tell before the window shows (Wayland, or X11 without
// such a window manager) gives no margins.
QMargins FrameBeforeShow(QWidget& window);

}  // namespace rt::qt::detail
