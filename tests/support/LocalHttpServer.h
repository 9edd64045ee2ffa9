#pragma once

// A real HTTP server on 127.0.0.1 for fetch tests: python3 serving a folder. A request is accepted
// and never answered (until the server stops, at most 60 s) when its path starts with "/hang/" or
// when the folder holds the requested file's name followed by ".hang" instead of the file. Beside
// a file, NAME.status holding a number answers with that HTTP error and NAME.redirect holding a
// URL redirects there. A query "id=X" on a folder's path asks for the file X in it.

#include <QDir>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

namespace yarrow::test {

class LocalHttpServer {
public:
    explicit LocalHttpServer(const QString& root) {
        static const char* script = R"PY(
import functools, http.server, os, sys, time, urllib.parse
root = sys.argv[1]
class Handler(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        path, _, query = self.path.partition('?')
        local = os.path.join(root, path.lstrip('/'))
        ids = urllib.parse.parse_qs(query).get('id')
        if ids and os.path.isdir(local):
            local = os.path.join(local, ids[0])
            self.path = path.rstrip('/') + '/' + ids[0]
        if self.path.startswith('/hang/') or os.path.exists(local + '.hang'):
            time.sleep(60)
            return
        if os.path.exists(local + '.status'):
            self.send_error(int(open(local + '.status').read()))
            return
        if os.path.exists(local + '.redirect'):
            self.send_response(302)
            self.send_header('Location', open(local + '.redirect').read().strip())
            self.send_header('Content-Length', '0')
            self.end_headers()
            return
        return super().do_GET()
    def log_message(self, *args):
        pass
server = http.server.ThreadingHTTPServer(('127.0.0.1', 0),
                                         functools.partial(Handler, directory=root))
server.daemon_threads = True
print(server.server_address[1], flush=True)
server.serve_forever()
)PY";
        process_.setProgram("python3");
        process_.setArguments({"-c", script, root});
        process_.start();
        if (process_.waitForStarted(10000) && process_.waitForReadyRead(10000))
            port_ = QString::fromUtf8(process_.readLine()).trimmed().toInt();
    }
    ~LocalHttpServer() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    bool IsRunning() const { return port_ > 0; }
    QString Url(const QString& path) const { return QString("http://127.0.0.1:%1%2").arg(port_).arg(path); }

private:
    QProcess process_;
    int port_ = 0;
};

// A temporary copy of the bundled series files under <temp>/FRBData/, to be served and altered.
class FrbDataCopy {
public:
    explicit FrbDataCopy(const QString& from) {
        QDir(dir_.path()).mkpath("FRBData");
        for (const QString& name : QDir(from).entryList({"*.txt"}, QDir::Files))
            QFile::copy(from + "/" + name, Folder() + "/" + name);
    }
    QString Root() const { return dir_.path(); }
    QString Folder() const { return dir_.path() + "/FRBData"; }
    void Write(const QString& name, const QByteArray& content) {
        QFile f(Folder() + "/" + name);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(content);
    }
    void Remove(const QString& name) { QFile::remove(Folder() + "/" + name); }
    // The server will accept the request for this file and never answer it.
    void MakeHang(const QString& name) {
        Remove(name);
        Write(name + ".hang", "");
    }

private:
    QTemporaryDir dir_;
};

} // namespace yarrow::test
