// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/forms/backend.hpp"
#include "runtime/forms/design.hpp"
#include "runtime/win32/gdi_handles.hpp"

// Internal to the Win32 backend: the child window for each kind of control,
// the Control that handlers reach it through, and the drawing of the
// controls that the window draws itself.
namespace rt::win32::detail {

const wchar_t* Wide(const std::u16string& text);
std::u16string WindowText(HWND window);
COLORREF ToColorRef(forms::Rgb colour);

// A control's child window and what the window draws it with.
struct NativeControl {
  const forms::ControlDesign* design = nullptr;
  HWND window = nullptr;
  HFONT font = nullptr;  // owned by the window's fonts
  Brush back;            // the back colour, when the control shows one
};

// Creates the child window of `parent` for the design, with its text, items,
// style and the command identifier `id`, still unplaced; throws when Windows
// refuses it.
NativeControl CreateControl(const forms::ControlDesign& design, HWND parent, int id);

// The Control that handlers reach the child window through.
std::unique_ptr<forms::Control> ControlOf(const NativeControl& control);

// Gives the control its font and its rectangle in pixels at `dpi`; a
// drop-down list's closed field keeps the designed height, and a text box's
// text starts where the forms' text inset puts it.
void PlaceControl(const NativeControl& control, RECT rect, int dpi);

// Leaves out of the control's window, at `rect` in its parent, the parts that
// the rectangles `above` cover, so that the controls drawn there show whole.
// The z-order stays the creation order: the dialog keys move the focus along
// it, and a screen reader names a field by the label just above it there.
void LeaveUncovered(HWND control, RECT rect, const std::vector<RECT>& above);

// Draws at `dpi` a label (its background, its border and its caption on one
// line, inside the border) or a graphical button (its face, a raised edge,
// sunken while pressed, its caption and, with the focus, a focus rectangle).
void DrawOwnerDrawn(const DRAWITEMSTRUCT& item, const NativeControl& control, int dpi);

// The colours of a text box, a list's field or a label in `dc`, and the
// brush of its background.
HBRUSH ControlColours(HDC dc, const NativeControl& control);

}  // namespace rt::win32::detail
