// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/qt/frame_before_show.hpp"

#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace rt::qt::detail {
namespace {

// How long a window manager may take to answer: the start-up waits no longer.
constexpr int kTries = 100;
constexpr unsigned long kMillisecondsPerTry = 1;

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      connection,
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
      nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

ReplyPtr<xcb_get_property_reply_t> Property(xcb_connection_t* connection, xcb_window_t window,
                                            xcb_atom_t property, xcb_atom_t type,
                                            std::uint32_t length) {
  return ReplyPtr<xcb_get_property_reply_t>(xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, window, property, type, 0, length), nullptr));
}

bool WindowManagerSupports(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t what) {
  const auto supported =
      Property(connection, root, Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
  if (!supported || supported->format != 32) {
    return false;
  }
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported.get()));
  const int count = xcb_get_property_value_length(supported.get()) / 4;
  for (int i = 0; i < count; ++i) {
    if (atoms[i] == what) {
      return true;
    }
  }
  return false;
}

}  // namespace

QMargins FrameBeforeShow(QWidget& window) {
  if (QMargins known = window.windowHandle()->frameMargins(); !known.isNull()) {
    return known;
  }
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr) {
    return {};
  }
  xcb_connection_t* connection = x11->connection();
  const auto id = static_cast<xcb_window_t>(window.winId());
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
  if (!WindowManagerSupports(connection, root, request)) {
    return {};
  }
  const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
  xcb_client_message_event_t asked{};
  asked.response_type = XCB_CLIENT_MESSAGE;
  asked.format = 32;
  asked.window = id;
  asked.type = request;
  xcb_send_event(connection, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&asked));
  xcb_flush(connection);
  for (int i = 0; i < kTries; ++i) {
    auto answer = Property(connection, id, extents, XCB_ATOM_CARDINAL, 4);
    if (answer && answer->format == 32 && xcb_get_property_value_length(answer.get()) == 16) {
      // Left, right, top, bottom.
      const auto* sides = static_cast<const std::uint32_t*>(xcb_get_property_value(answer.get()));
      return {static_cast<int>(sides[0]), static_cast<int>(sides[2]), static_cast<int>(sides[1]),
              static_cast<int>(sides[3])};
    }
    QThread::msleep(kMillisecondsPerTry);
  }
  return {};
}

}  // namespace rt::qt::detail
