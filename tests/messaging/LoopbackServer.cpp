#include "LoopbackServer.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace asv::test {

namespace {

const QString kPython = u"/usr/bin/python3"_s;

const char* const kSmtpServer = R"(import socket, sys
from aiosmtpd.controller import Controller
from aiosmtpd.handlers import Mailbox
from aiosmtpd.smtp import AuthResult
s = socket.socket(); s.bind(('127.0.0.1', 0)); port = s.getsockname()[1]; s.close()
def auth(server, session, envelope, mechanism, data):
    return AuthResult(success=data.login == b'desk' and data.password == b'secret', handled=False)
c = Controller(Mailbox(sys.argv[1] + '/mailbox'), hostname='127.0.0.1', port=port, authenticator=auth, auth_require_tls=False)
c.start()
print(port, flush=True)
sys.stdin.read()
c.stop()
)";

const char* const kHttpReceiver = R"(import sys, http.server, os, threading
class Receiver(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        body = self.rfile.read(int(self.headers['Content-Length']))
        open(os.path.join(sys.argv[1], 'type'), 'w').write(self.headers['Content-Type'])
        open(os.path.join(sys.argv[1], 'body'), 'wb').write(body)
        self.send_response(200); self.end_headers(); self.wfile.write(b'ok')
    def log_message(self, *args): pass
server = http.server.HTTPServer(('127.0.0.1', 0), Receiver)
threading.Thread(target=server.serve_forever, daemon=True).start()
print(server.server_address[1], flush=True)
sys.stdin.read()
)";

const char* const kMailReader = R"(import sys, json, mailbox, base64
out = []
for m in mailbox.Maildir(sys.argv[1] + '/mailbox', factory=None, create=True):
    import email, email.policy
    msg = email.message_from_bytes(m.as_bytes(), policy=email.policy.default)
    text = next(p for p in msg.walk() if p.get_content_type() == 'text/plain' and not p.get_filename())
    out.append({'subject': str(msg['subject']), 'from': str(msg['from']), 'to': str(msg['to']),
                'cc': str(msg['cc'] or ''), 'rcpt': str(msg['X-RcptTo']),
                'charset': text.get_content_charset(), 'body': text.get_content(),
                'attachments': [{'name': p.get_filename(), 'data': base64.b64encode(p.get_payload(decode=True)).decode()}
                                for p in msg.walk() if p.get_filename()]})
print(json.dumps(out))
)";

} // namespace

LoopbackServer::LoopbackServer(Kind kind)
{
    const QString script = m_dir.filePath(u"server.py"_s);
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the server script");
    file.write(kind == Kind::Smtp ? kSmtpServer : kHttpReceiver);
    file.close();
    m_process.start(kPython, {script, m_dir.path()});
    while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
    }
    m_port = m_process.readLine().trimmed().toInt();
    if (m_port == 0)
        throw std::runtime_error("the loopback server did not start: " + m_process.readAllStandardError().toStdString());
}

LoopbackServer::~LoopbackServer()
{
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

QList<QJsonObject> LoopbackServer::mails() const
{
    QProcess reader;
    reader.start(kPython, {u"-c"_s, QString::fromUtf8(kMailReader), m_dir.path()});
    reader.waitForFinished(10000);
    QList<QJsonObject> list;
    for (const QJsonValue& v : QJsonDocument::fromJson(reader.readAllStandardOutput()).array())
        list << v.toObject();
    return list;
}

QByteArray LoopbackServer::posted(const QString& part) const
{
    QFile f(m_dir.filePath(part));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace asv::test
