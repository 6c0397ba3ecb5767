#include "tests/support/ProgramRun.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

QString startXvfb(QProcess& server, QSize screen)
{
    server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                                          QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                                          QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height())});
    if (!server.waitForStarted() || !server.waitForReadyRead(10000))
        qFatal("Xvfb did not start: %s", qPrintable(server.errorString()));
    return QLatin1Char(':') + QString::fromLatin1(server.readLine()).trimmed();
}

namespace {

// Xvfb on a free display, for as long as the test program runs, with a connection of the
// test's own to it: the windows of a started program are found and answered through it.
class XServer {
public:
    XServer()
    {
        m_display = startXvfb(m_server, QSize(1280, 1024));
        m_connection = xcb_connect(m_display.toLatin1().constData(), nullptr);
        if (xcb_connection_has_error(m_connection))
            qFatal("ProgramRun: no connection to Xvfb on %s", qPrintable(m_display));
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        m_pid = atom("_NET_WM_PID");
        m_type = atom("_NET_WM_WINDOW_TYPE");
        m_dialog = atom("_NET_WM_WINDOW_TYPE_DIALOG");
        m_return = keycodeOf(0xff0d); // XK_Return
    }
    ~XServer()
    {
        xcb_disconnect(m_connection);
        m_server.terminate();
        m_server.waitForFinished();
    }
    QString display() const { return m_display; }
    // Qt wants a private runtime folder on X and says so on standard error without one.
    QString runtimeFolder() const { return m_runtime.path(); }

    // The program's windows that are on the screen. Without a window manager the programs'
    // windows are the root's own children.
    QList<quint32> shownWindows(qint64 pid)
    {
        QList<quint32> windows;
        const auto tree = reply(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr));
        if (!tree)
            return windows;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
            const xcb_window_t window = children[i];
            const auto attributes = reply(xcb_get_window_attributes_reply(
                m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
            if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
                continue;
            const QList<quint32> owner = property(window, m_pid, XCB_ATOM_CARDINAL);
            if (!owner.isEmpty() && owner.first() == quint32(pid))
                windows << window;
        }
        return windows;
    }

    // The program's dialog windows on the screen, or its other windows.
    QSet<quint32> shownDialogs(qint64 pid, bool dialogsWanted = true)
    {
        QSet<quint32> dialogs;
        for (quint32 window : shownWindows(pid)) {
            if (property(window, m_type, XCB_ATOM_ATOM).contains(m_dialog) == dialogsWanted)
                dialogs.insert(window);
        }
        return dialogs;
    }

    // What a window manager sends when the window's close box is pressed.
    void requestClose(quint32 window)
    {
        xcb_client_message_event_t event = {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = atom("WM_PROTOCOLS");
        event.data.data32[0] = atom("WM_DELETE_WINDOW");
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(m_connection, false, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
        xcb_flush(m_connection);
    }

    quint32 focus()
    {
        const auto r = reply(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
        return r ? quint32(r->focus) : quint32(XCB_NONE);
    }

    // Enter, sent to the window alone. A key through the server's keyboard (XTEST, as
    // xdotool sends to a window that has the focus) stays held down when its sender fails
    // between press and release, as it does when the press closes the window; the server
    // then repeats it into every box that comes after. A sent event changes no state of
    // the server, and one sent to a window that is gone is simply refused.
    void pressEnter(quint32 window)
    {
        for (const auto& [type, mask] : {std::pair{XCB_KEY_PRESS, XCB_EVENT_MASK_KEY_PRESS},
                                         std::pair{XCB_KEY_RELEASE, XCB_EVENT_MASK_KEY_RELEASE}}) {
            xcb_key_press_event_t event = {};
            event.response_type = type;
            event.detail = m_return;
            event.time = XCB_CURRENT_TIME;
            event.root = m_root;
            event.event = window;
            event.child = XCB_NONE;
            event.same_screen = 1;
            xcb_send_event(m_connection, false, window, mask, reinterpret_cast<const char*>(&event));
        }
        xcb_flush(m_connection);
        dropEvents();
    }

    // The keys the server holds down: none, unless a key was pressed and never released.
    QList<int> keysHeldDown()
    {
        QList<int> held;
        const auto keys = reply(xcb_query_keymap_reply(m_connection, xcb_query_keymap(m_connection), nullptr));
        for (int code = 0; keys && code < 256; ++code) {
            if (keys->keys[code / 8] & (1 << (code % 8)))
                held << code;
        }
        return held;
    }

private:
    template <typename T>
    static std::unique_ptr<T, decltype(&std::free)> reply(T* r)
    {
        return {r, &std::free};
    }

    xcb_atom_t atom(const char* name)
    {
        const auto r = reply(xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, false, uint16_t(strlen(name)), name), nullptr));
        return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    QList<quint32> property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
    {
        const auto r = reply(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, false, window, name, type, 0, 32), nullptr));
        QList<quint32> values;
        if (!r || r->format != 32)
            return values;
        const auto* data = static_cast<const quint32*>(xcb_get_property_value(r.get()));
        for (int i = 0; i < xcb_get_property_value_length(r.get()) / 4; ++i)
            values << data[i];
        return values;
    }

    xcb_keycode_t keycodeOf(xcb_keysym_t keysym)
    {
        const xcb_setup_t* setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        const auto map = reply(xcb_get_keyboard_mapping_reply(
            m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, uint8_t(count)), nullptr));
        if (!map)
            qFatal("ProgramRun: no keyboard on %s", qPrintable(m_display));
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
        for (int code = 0; code < count; ++code) {
            for (int column = 0; column < map->keysyms_per_keycode; ++column) {
                if (syms[code * map->keysyms_per_keycode + column] == keysym)
                    return xcb_keycode_t(setup->min_keycode + code);
            }
        }
        qFatal("ProgramRun: no key for Enter on %s", qPrintable(m_display));
    }

    // Errors of events sent to windows that were gone; nothing is waited for on them.
    void dropEvents()
    {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection))
            std::free(event);
    }

    QProcess m_server;
    QString m_display;
    QTemporaryDir m_runtime;
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    xcb_atom_t m_pid = XCB_ATOM_NONE;
    xcb_atom_t m_type = XCB_ATOM_NONE;
    xcb_atom_t m_dialog = XCB_ATOM_NONE;
    xcb_keycode_t m_return = 0;
};

XServer& server()
{
    static XServer running;
    return running;
}

} // namespace

ProgramRun::ProgramRun(const QString& program, const QString& folder, const QStringList& arguments,
                       QProcessEnvironment env)
{
    env.insert(QStringLiteral("DISPLAY"), server().display());
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), server().runtimeFolder());
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    m_process.setProcessEnvironment(env);
    m_process.setWorkingDirectory(folder);
    m_process.start(program, arguments);
    if (!m_process.waitForStarted())
        qFatal("ProgramRun: %s did not start", qPrintable(program));
}

ProgramRun::~ProgramRun()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

bool ProgramRun::waitForEnd(int ms)
{
    return endWithin(ms, 50, [this] { answerMessageBox(); });
}

bool ProgramRun::pressEnterUntilEnd(int ms)
{
    return endWithin(ms, 200, [this] {
        for (quint32 window : server().shownDialogs(m_process.processId(), false))
            server().pressEnter(window);
    });
}

// Waits for the program's end, doing `meanwhile` at every poll; a program still running at
// the deadline is killed.
bool ProgramRun::endWithin(int ms, int pollMs, const std::function<void()>& meanwhile)
{
    const QDeadlineTimer deadline(ms);
    bool ended = true;
    while (ended && !m_process.waitForFinished(pollMs)) {
        meanwhile();
        if (deadline.hasExpired()) {
            m_process.kill();
            m_process.waitForFinished();
            ended = false;
        }
    }
    m_error += QString::fromUtf8(m_process.readAllStandardError());
    return ended;
}

bool ProgramRun::waitForFocusedMessageBox(int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!server().shownDialogs(m_process.processId()).contains(server().focus())) {
        if (m_process.waitForFinished(20) || deadline.hasExpired())
            return false;
    }
    return true;
}

bool ProgramRun::requestClose(int ms)
{
    const QDeadlineTimer deadline(ms);
    QList<quint32> shown;
    while ((shown = server().shownWindows(m_process.processId())).isEmpty()) {
        if (m_process.waitForFinished(20) || deadline.hasExpired())
            return false;
    }
    server().requestClose(shown.first());
    return true;
}

QList<int> ProgramRun::keysHeldDown()
{
    return server().keysHeldDown();
}

// A message box is a dialog window of the program's own; its other windows are not.
void ProgramRun::answerMessageBox()
{
    const QSet<quint32> dialogs = server().shownDialogs(m_process.processId());
    for (quint32 box : dialogs) {
        // A key that comes before the box is ready for it is lost; the box is then answered
        // again, and still counts once.
        server().pressEnter(box);
        m_boxes.insert(box);
    }
}
