#include "WindowServices.h"

#include <xcb/res.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <deque>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// An xcb reply, freed when it goes.
template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> owned(T *reply)
{
    return Reply<T>(reply, &std::free);
}

// Titles are read up to this many bytes; a longer one equals no title we look for.
constexpr uint32_t kTitleLongs = 64;

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Whole titles in UTF-8, letter case of ASCII letters ignored: a title with
// more text never equals.
bool sameTitle(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

std::string utf8FromLatin1(std::string_view text)
{
    std::string utf8;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += char(0xC0 | (byte >> 6));
            utf8 += char(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

} // namespace

struct WindowServices::Connection
{
    xcb_connection_t *xcb = nullptr;
    xcb_window_t root = XCB_WINDOW_NONE;
    bool hasClientIds = false; // XRes 1.2: the server's own record of a client's process id

    xcb_atom_t utf8String = XCB_ATOM_NONE;
    xcb_atom_t netWmName = XCB_ATOM_NONE;
    xcb_atom_t netWmPid = XCB_ATOM_NONE;
    xcb_atom_t netClientList = XCB_ATOM_NONE;
    xcb_atom_t netSupportingWmCheck = XCB_ATOM_NONE;
    xcb_atom_t netCloseWindow = XCB_ATOM_NONE;
    xcb_atom_t wmState = XCB_ATOM_NONE;
    xcb_atom_t wmProtocols = XCB_ATOM_NONE;
    xcb_atom_t wmDeleteWindow = XCB_ATOM_NONE;

    ~Connection() { xcb_disconnect(xcb); }

    Reply<xcb_get_property_reply_t> property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type,
                                             uint32_t longs) const
    {
        return owned(xcb_get_property_reply(
            xcb, xcb_get_property(xcb, 0, window, name, type, 0, longs), nullptr));
    }

    std::vector<uint32_t> property32(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) const
    {
        const auto reply = property(window, name, type, UINT32_MAX / 4);
        if (!reply || reply->format != 32 || reply->type != type)
            return {};
        const auto *values = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
        return {values, values + xcb_get_property_value_length(reply.get()) / 4};
    }

    bool hasProperty(xcb_window_t window, xcb_atom_t name) const
    {
        const auto reply = property(window, name, XCB_ATOM_ANY, 0);
        return reply && reply->type != XCB_ATOM_NONE;
    }

    std::vector<xcb_window_t> children(xcb_window_t window) const
    {
        const auto reply = owned(xcb_query_tree_reply(xcb, xcb_query_tree(xcb, window), nullptr));
        if (!reply)
            return {};
        const xcb_window_t *first = xcb_query_tree_children(reply.get());
        return {first, first + xcb_query_tree_children_length(reply.get())};
    }

    // _NET_WM_NAME in UTF-8, else WM_NAME when it is plain Latin-1 text, as
    // UTF-8. Empty when the window has neither, or when the title is longer
    // than we read.
    std::string title(xcb_window_t window) const
    {
        if (const auto reply = property(window, netWmName, utf8String, kTitleLongs);
            reply && reply->type == utf8String)
            return textOf(*reply);
        const auto reply = property(window, XCB_ATOM_WM_NAME, XCB_ATOM_ANY, kTitleLongs);
        if (reply && reply->type == XCB_ATOM_STRING)
            return utf8FromLatin1(textOf(*reply));
        if (reply && reply->type == utf8String)
            return textOf(*reply);
        return {};
    }

    static std::string textOf(const xcb_get_property_reply_t &reply)
    {
        if (reply.format != 8 || reply.bytes_after != 0)
            return {};
        return {static_cast<const char *>(xcb_get_property_value(&reply)),
                static_cast<std::size_t>(xcb_get_property_value_length(&reply))};
    }

    // A window manager that announces itself: the root names a window that
    // names itself. A manager that has gone leaves a stale name behind.
    bool windowManagerRunning() const
    {
        const std::vector<uint32_t> check = property32(root, netSupportingWmCheck, XCB_ATOM_WINDOW);
        return check.size() == 1 &&
               property32(check[0], netSupportingWmCheck, XCB_ATOM_WINDOW) == check;
    }

    // The client window at or below a child of the root: under a reparenting
    // window manager the child is a frame and the client is the window below it
    // that carries WM_STATE. With no manager nothing carries it: the child itself.
    xcb_window_t clientAtOrBelow(xcb_window_t window) const
    {
        std::deque<xcb_window_t> pending{window};
        while (!pending.empty()) {
            const xcb_window_t candidate = pending.front();
            pending.pop_front();
            if (hasProperty(candidate, wmState))
                return candidate;
            for (xcb_window_t child : children(candidate))
                pending.push_back(child);
        }
        return window;
    }

    std::vector<xcb_window_t> topLevelWindows() const
    {
        if (windowManagerRunning()) {
            std::vector<uint32_t> clients = property32(root, netClientList, XCB_ATOM_WINDOW);
            if (!clients.empty())
                return clients;
        }
        std::vector<xcb_window_t> clients;
        for (xcb_window_t child : children(root))
            clients.push_back(clientAtOrBelow(child));
        return clients;
    }

    // The process ids the server has on record, for one client (the owner of
    // the resource given) or, with XCB_NONE, for every client.
    std::vector<ProcessId> clientProcessIds(uint32_t resource) const
    {
        const xcb_res_client_id_spec_t wanted{resource, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
        const auto reply = owned(xcb_res_query_client_ids_reply(
            xcb, xcb_res_query_client_ids(xcb, 1, &wanted), nullptr));
        std::vector<ProcessId> ids;
        if (!reply)
            return ids;
        // Only process ids were asked for; a client without one has no value.
        for (auto it = xcb_res_query_client_ids_ids_iterator(reply.get()); it.rem;
             xcb_res_client_id_value_next(&it)) {
            if (xcb_res_client_id_value_value_length(it.data) >= 1)
                ids.push_back(xcb_res_client_id_value_value(it.data)[0]);
        }
        return ids;
    }

    bool hasClientOf(ProcessId id) const
    {
        const std::vector<ProcessId> ids = clientProcessIds(XCB_NONE);
        return std::find(ids.begin(), ids.end(), id) != ids.end();
    }

    void sendClientMessage(xcb_window_t destination, uint32_t eventMask, xcb_window_t window,
                           xcb_atom_t type, uint32_t first, uint32_t second) const
    {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = type;
        event.data.data32[0] = first;
        event.data.data32[1] = second;
        xcb_send_event(xcb, 0, destination, eventMask, reinterpret_cast<const char *>(&event));
        xcb_flush(xcb);
    }
};

namespace {

xcb_window_t rootOf(xcb_connection_t *xcb, int screenNumber)
{
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(xcb));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    return screens.rem ? screens.data->root : xcb_window_t{XCB_WINDOW_NONE};
}

bool serverKnowsClientIds(xcb_connection_t *xcb)
{
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(xcb, &xcb_res_id);
    if (!extension || !extension->present)
        return false;
    const auto version =
        owned(xcb_res_query_version_reply(xcb, xcb_res_query_version(xcb, 1, 2), nullptr));
    return version && (version->server_major > 1 ||
                       (version->server_major == 1 && version->server_minor >= 2));
}

// Waits for the pidfd to become readable, which it does when the process ends.
bool pollUntilEnded(int pidfd, Clock::time_point deadline)
{
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd entry{pidfd, POLLIN, 0};
        const int ready = poll(&entry, 1, static_cast<int>(std::max<decltype(left)>(left, 0)));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

} // namespace

CloseRequests::CloseRequests(void *connection, WindowHandle window)
    : window_(window)
{
    auto *xcb = static_cast<xcb_connection_t *>(connection);
    if (!xcb)
        return;
    const auto atomNamed = [xcb](std::string_view name) {
        const auto reply = owned(xcb_intern_atom_reply(
            xcb, xcb_intern_atom(xcb, 0, static_cast<uint16_t>(name.size()), name.data()),
            nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    };
    protocols_ = atomNamed("WM_PROTOCOLS");
    deleteWindow_ = atomNamed("WM_DELETE_WINDOW");
    const auto leader = owned(xcb_get_property_reply(
        xcb,
        xcb_get_property(xcb, 0, static_cast<xcb_window_t>(window), atomNamed("WM_CLIENT_LEADER"),
                         XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    if (leader && xcb_get_property_value_length(leader.get()) == sizeof(xcb_window_t))
        leader_ = *static_cast<const xcb_window_t *>(xcb_get_property_value(leader.get()));
}

bool CloseRequests::isCloseRequest(const void *nativeEvent) const
{
    const auto *event = static_cast<const xcb_generic_event_t *>(nativeEvent);
    if (deleteWindow_ == XCB_ATOM_NONE || (event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
        return false;
    const auto *message = reinterpret_cast<const xcb_client_message_event_t *>(event);
    return message->format == 32 && message->type == protocols_ &&
           message->data.data32[0] == deleteWindow_ &&
           (message->window == window_ || (leader_ != 0 && message->window == leader_));
}

WindowServices::WindowServices()
{
    int screenNumber = 0;
    auto connection = std::make_unique<Connection>();
    connection->xcb = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection->xcb))
        return;
    connection->root = rootOf(connection->xcb, screenNumber);
    if (connection->root == XCB_WINDOW_NONE)
        return;
    connection->hasClientIds = serverKnowsClientIds(connection->xcb);

    const std::pair<xcb_atom_t *, std::string_view> atoms[] = {
        {&connection->utf8String, "UTF8_STRING"},
        {&connection->netWmName, "_NET_WM_NAME"},
        {&connection->netWmPid, "_NET_WM_PID"},
        {&connection->netClientList, "_NET_CLIENT_LIST"},
        {&connection->netSupportingWmCheck, "_NET_SUPPORTING_WM_CHECK"},
        {&connection->netCloseWindow, "_NET_CLOSE_WINDOW"},
        {&connection->wmState, "WM_STATE"},
        {&connection->wmProtocols, "WM_PROTOCOLS"},
        {&connection->wmDeleteWindow, "WM_DELETE_WINDOW"},
    };
    std::vector<xcb_intern_atom_cookie_t> cookies;
    for (const auto &[atom, name] : atoms)
        cookies.push_back(
            xcb_intern_atom(connection->xcb, 0, static_cast<uint16_t>(name.size()), name.data()));
    for (std::size_t i = 0; i < cookies.size(); ++i) {
        const auto reply = owned(xcb_intern_atom_reply(connection->xcb, cookies[i], nullptr));
        if (!reply)
            return;
        *atoms[i].first = reply->atom;
    }
    connection_ = std::move(connection);
}

WindowServices::~WindowServices() = default;

WindowHandle WindowServices::findTopLevelWindow(std::string_view title) const
{
    if (!connection_)
        return 0;
    for (xcb_window_t window : connection_->topLevelWindows()) {
        if (sameTitle(connection_->title(window), title))
            return window;
    }
    return 0;
}

ProcessId WindowServices::processIdOf(WindowHandle window) const
{
    if (!connection_ || window == 0)
        return 0;
    const auto xcbWindow = static_cast<xcb_window_t>(window);
    if (connection_->hasClientIds) {
        const std::vector<ProcessId> ids = connection_->clientProcessIds(xcbWindow);
        if (!ids.empty())
            return ids.front();
    }
    const std::vector<uint32_t> pid =
        connection_->property32(xcbWindow, connection_->netWmPid, XCB_ATOM_CARDINAL);
    return pid.empty() ? 0 : pid.front();
}

ProcessReference WindowServices::openProcess(ProcessId id) const
{
    if (id == 0)
        return {};
    const long pidfd = syscall(SYS_pidfd_open, static_cast<pid_t>(id), 0);
    if (pidfd < 0)
        return {};
    return ProcessReference(pidfd, id);
}

void WindowServices::postCloseRequest(WindowHandle window) const
{
    if (!connection_ || window == 0)
        return;
    const Connection &c = *connection_;
    const auto xcbWindow = static_cast<xcb_window_t>(window);
    const std::vector<uint32_t> protocols = c.property32(xcbWindow, c.wmProtocols, XCB_ATOM_ATOM);
    if (std::find(protocols.begin(), protocols.end(), c.wmDeleteWindow) != protocols.end()) {
        c.sendClientMessage(xcbWindow, XCB_EVENT_MASK_NO_EVENT, xcbWindow, c.wmProtocols,
                            c.wmDeleteWindow, XCB_CURRENT_TIME);
    } else {
        // The window manager closes it for us; source indication 2: a pager or
        // other tool acting for the user.
        c.sendClientMessage(
            c.root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
            xcbWindow, c.netCloseWindow, XCB_CURRENT_TIME, 2);
    }
}

bool WindowServices::waitForEnd(const ProcessReference &process,
                                std::chrono::milliseconds limit) const
{
    if (process.isNull())
        return false;
    const Clock::time_point deadline = Clock::now() + limit;
    if (!pollUntilEnded(static_cast<int>(*process.handle_), deadline))
        return false;
    // The server destroys an ended process's windows only when it notices its
    // connection closed, a moment later; until then a search still finds them.
    while (connection_ && connection_->hasClientIds && connection_->hasClientOf(process.id_) &&
           Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

bool WindowServices::isWindow(WindowHandle window) const
{
    if (!connection_ || window == 0)
        return false;
    xcb_generic_error_t *error = nullptr;
    const auto reply = owned(xcb_get_window_attributes_reply(
        connection_->xcb,
        xcb_get_window_attributes(connection_->xcb, static_cast<xcb_window_t>(window)), &error));
    std::free(error);
    return reply != nullptr;
}

ProcessReference::~ProcessReference()
{
    if (handle_)
        close(static_cast<int>(*handle_));
}

} // namespace platform
