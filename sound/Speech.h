#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>
#include <QObject>
#include <QProcessEnvironment>
#include <QString>
#include <QTimer>
#include <deque>

class QLocalSocket;

namespace sound {

// Where the speech service listens, found as its own library finds it: SPEECHD_ADDRESS
// "unix_socket:PATH", or else the socket in the user's runtime folder, the one address the
// service is started for when nothing listens there. No path: an address of another kind.
struct SpeechAddress {
    QString path;
    bool startsService = false;
};
SpeechAddress speechAddress(const QProcessEnvironment& environment);

// The speech service's answers, which come in pieces: each whole one, a reply to the last
// command or an event, as its code and the text of its lines.
class SpeechReplies {
public:
    struct Reply {
        int code = 0;
        QList<QByteArray> lines;
    };
    QList<Reply> take(const QByteArray& bytes);

private:
    QByteArray m_pending;
    QList<QByteArray> m_lines;
};

// A word as the service takes it after SPEAK: its lines, a line of its own that begins with
// a dot doubled, and the dot that ends it.
QByteArray speechText(const QString& word);

// Words in a Swedish voice through the speech service, spoken to over its socket on the
// thread the object lives on without ever waiting for it: a service that is slow to start,
// stuck or gone holds up neither the window nor the program's end. One that does not answer
// within seconds is given up.
class Speech : public QObject {
    Q_OBJECT

public:
    explicit Speech(QObject* parent = nullptr);
    ~Speech() override;

    // Reaches the service now, so that the first word is not late.
    void prepare();
    void say(const QString& word);
    void stop();

signals:
    void speaking(const QString& word);
    void trouble(const QString& message);

private:
    struct Command {
        QByteArray line;
        QByteArray text;  // sent once the service is ready for it (SPEAK)
        QString word;
    };

    void connectToService();
    void failedToConnect();
    void received();
    void sendNext();
    void dropUnsentWords();
    void giveUp();

    QLocalSocket* m_socket = nullptr;
    SpeechAddress m_address;
    bool m_prepared = false;
    bool m_started = false;
    bool m_givenUp = false;
    std::deque<Command> m_commands;
    bool m_sent = false;  // the first command is sent, and awaits its reply
    QString m_spoken;
    SpeechReplies m_replies;
    QDeadlineTimer m_connectDeadline;
    QTimer m_retry;
    QTimer m_silence;
};

} // namespace sound
