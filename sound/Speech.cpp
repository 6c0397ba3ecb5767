#include "sound/Speech.h"

#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <algorithm>

namespace sound {

namespace {

// How long the service may take to start, and to answer a command, before it is given up.
constexpr int kStartMs = 10000;
constexpr int kAnswerMs = 5000;

QString noSpeech()
{
    return QStringLiteral("Talsyntesen (speech-dispatcher) går inte att nå. Orden läses inte upp.");
}

} // namespace

SpeechAddress speechAddress(const QProcessEnvironment& environment)
{
    const QString given = environment.value(QStringLiteral("SPEECHD_ADDRESS"));
    const QString unixSocket = QStringLiteral("unix_socket");
    if (!given.isEmpty() && given != unixSocket) {
        if (given.startsWith(unixSocket + QLatin1Char(':')))
            return {given.mid(unixSocket.size() + 1), false};
        return {};
    }
    QString runtime = environment.value(QStringLiteral("XDG_RUNTIME_DIR"));
    if (runtime.isEmpty())
        runtime = environment.value(QStringLiteral("HOME"), QDir::homePath()) + QStringLiteral("/.cache");
    return {runtime + QStringLiteral("/speech-dispatcher/speechd.sock"), given.isEmpty()};
}

QList<SpeechReplies::Reply> SpeechReplies::take(const QByteArray& bytes)
{
    QList<Reply> whole;
    m_pending += bytes;
    for (qsizetype end; (end = m_pending.indexOf('\n')) >= 0;) {
        QByteArray line = m_pending.left(end);
        m_pending.remove(0, end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        // "NNN-text" goes on, "NNN text" is the last line.
        if (line.size() < 4)
            line.append(' ');
        m_lines << line.mid(4);
        if (line.at(3) != '-') {
            whole << Reply{line.left(3).toInt(), m_lines};
            m_lines.clear();
        }
    }
    return whole;
}

QByteArray speechText(const QString& word)
{
    QByteArray text;
    for (QByteArray line : word.toUtf8().split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith('.'))
            line.prepend('.');
        text += line + "\r\n";
    }
    return text + ".\r\n";
}

Speech::Speech(QObject* parent)
    : QObject(parent)
    , m_socket(new QLocalSocket(this))
{
    connect(m_socket, &QLocalSocket::connected, this, &Speech::sendNext);
    connect(m_socket, &QLocalSocket::readyRead, this, &Speech::received);
    connect(m_socket, &QLocalSocket::errorOccurred, this, [this] {
        if (m_socket->state() == QLocalSocket::ConnectedState)
            return;
        failedToConnect();
    });
    connect(m_socket, &QLocalSocket::disconnected, this, &Speech::giveUp);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &Speech::connectToService);
    m_silence.setSingleShot(true);
    connect(&m_silence, &QTimer::timeout, this, &Speech::giveUp);
}

Speech::~Speech()
{
    // Closing the socket never waits; what the service still says of ours it drops.
    m_socket->disconnect(this);
    m_socket->abort();
}

void Speech::prepare()
{
    if (m_prepared)
        return;
    m_prepared = true;
    m_address = speechAddress(QProcessEnvironment::systemEnvironment());
    if (m_address.path.isEmpty()) {
        giveUp();
        return;
    }
    // The class's own language, whatever the desktop's is; BEGIN tells when a word is heard.
    for (const char* line : {"SET SELF CLIENT_NAME user:kortvy:main", "SET SELF LANGUAGE sv", "SET SELF NOTIFICATION BEGIN on"})
        m_commands.push_back({QByteArray(line) + "\r\n", {}, {}});
    m_connectDeadline.setRemainingTime(kStartMs);
    connectToService();
}

void Speech::connectToService()
{
    m_socket->connectToServer(m_address.path);
}

void Speech::failedToConnect()
{
    if (m_givenUp)
        return;
    // Nothing listens: the service is started, once; it takes a second or two to listen,
    // and it is asked again until then. One that is starting refuses meanwhile, and must not
    // be started a second time, as that takes its socket away.
    if (m_socket->error() == QLocalSocket::ServerNotFoundError && m_address.startsService && !m_started) {
        m_started = true;
        QProcess::startDetached(QStringLiteral("speech-dispatcher"), {QStringLiteral("--spawn")});
    }
    if (m_connectDeadline.hasExpired())
        giveUp();
    else
        m_retry.start(50);
}

void Speech::say(const QString& word)
{
    prepare();
    if (m_givenUp)
        return;
    dropUnsentWords();
    m_commands.push_back({"SPEAK\r\n", speechText(word), word});
    sendNext();
}

void Speech::stop()
{
    if (!m_prepared || m_givenUp)
        return;
    dropUnsentWords();
    if (m_commands.empty() || m_commands.back().line != "CANCEL SELF\r\n")
        m_commands.push_back({"CANCEL SELF\r\n", {}, {}});
    sendNext();
}

// Only the last word asked is to be heard.
void Speech::dropUnsentWords()
{
    const auto first = m_commands.begin() + (m_sent ? 1 : 0);
    m_commands.erase(std::remove_if(first, m_commands.end(), [](const Command& c) { return !c.text.isEmpty(); }),
                     m_commands.end());
}

void Speech::sendNext()
{
    if (m_sent || m_commands.empty() || m_socket->state() != QLocalSocket::ConnectedState)
        return;
    m_socket->write(m_commands.front().line);
    m_sent = true;
    m_silence.start(kAnswerMs);
}

void Speech::received()
{
    for (const SpeechReplies::Reply& reply : m_replies.take(m_socket->readAll())) {
        if (reply.code / 100 == 7) {
            if (reply.code == 701)
                emit speaking(m_spoken);
            continue;
        }
        if (!m_sent)
            continue;
        m_silence.stop();
        Command& command = m_commands.front();
        if (reply.code == 230 && !command.text.isEmpty()) {
            m_socket->write(command.text);
            m_spoken = command.word;
            command.text.clear();
            m_silence.start(kAnswerMs);
            continue;
        }
        m_commands.pop_front();
        m_sent = false;
        sendNext();
    }
}

void Speech::giveUp()
{
    if (m_givenUp)
        return;
    m_givenUp = true;
    m_commands.clear();
    m_retry.stop();
    m_silence.stop();
    m_socket->disconnect(this);
    m_socket->abort();
    emit trouble(noSpeech());
}

} // namespace sound
