#include "app/x11_activation.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// _NET_ACTIVE_WINDOW's source indication: 2 is a pager or task bar, whose
// requests window managers carry out.
constexpr std::uint32_t kSourcePager = 2;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  if (!reply) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

xcb_connection_t* X11Connection() {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

}  // namespace

bool RequestX11Activation(QWidget& window) {
  xcb_connection_t* connection = X11Connection();
  if (!connection) return false;
  const xcb_atom_t activeWindow = Atom(connection, "_NET_ACTIVE_WINDOW");
  if (activeWindow == XCB_ATOM_NONE) return false;
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

  xcb_client_message_event_t message;
  std::memset(&message, 0, sizeof(message));
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = static_cast<xcb_window_t>(window.winId());
  message.type = activeWindow;
  message.data.data32[0] = kSourcePager;
  message.data.data32[1] = XCB_CURRENT_TIME;
  xcb_send_event(connection, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection);
  return true;
}

void MarkX11InitialStateNormal(QWidget& window) {
  xcb_connection_t* connection = X11Connection();
  if (!connection) return;
  // WM_HINTS (ICCCM 4.1.2.4): nine 32-bit fields; the first holds the flags,
  // the third the initial state.
  constexpr std::uint32_t kFields = 9;
  constexpr std::uint32_t kStateHint = 1u << 1;
  constexpr std::uint32_t kNormalState = 1;
  const auto id = static_cast<xcb_window_t>(window.winId());
  std::uint32_t hints[kFields] = {};
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, kFields), nullptr);
  if (reply) {
    if (reply->format == 32) {
      const int length = std::min<int>(xcb_get_property_value_length(reply) / 4, kFields);
      std::memcpy(hints, xcb_get_property_value(reply), static_cast<std::size_t>(length) * 4);
    }
    std::free(reply);
  }
  hints[0] |= kStateHint;
  hints[2] = kNormalState;
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, kFields,
                      hints);
  xcb_flush(connection);
}
