#include "support/NginxServer.h"

#include <fstream>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Answered by nginx itself and never logged: see AwaitLoggedRequests.
constexpr const char* LogSyncPath = "/.quorvex-fixture/log-sync";

// nginx writes a request's log line in the same step of its single process that sends the
// last of the answer, so once it has answered a later request every earlier line is written.
void AwaitLoggedRequests(int port)
{
    const int fd = ConnectLoopback(port);
    if (fd < 0)
        return;
    const timeval timeout{5, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
    const std::string request = std::string("GET ") + LogSyncPath + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
    if (send(fd, request.data(), request.size(), MSG_NOSIGNAL) == ssize_t(request.size())) {
        char buffer[512];
        while (recv(fd, buffer, sizeof(buffer), 0) > 0) {
        }
    }
    close(fd);
}

} // namespace

std::string TNginxServer::HttpUrl(const std::string& relative) const
{
    return "http://127.0.0.1:" + std::to_string(HttpPort_) + "/" + relative;
}

std::string TNginxServer::HttpsUrl(const std::string& relative) const
{
    return "https://127.0.0.1:" + std::to_string(HttpsPort_) + "/" + relative;
}

std::vector<std::string> TNginxServer::AccessLog() const
{
    AwaitLoggedRequests(HttpPort_);
    std::ifstream in(AccessLogFile_);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void TNginxServer::MakeCertificates(const std::string& openssl, const fs::path& log)
{
    const fs::path dir = CaFile_.parent_path();
    const std::string tool = "'" + openssl + "' ";
    const std::string newKey = "-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes ";
    const fs::path caKey = dir / "ca.key";
    const fs::path request = dir / "server.csr";
    const fs::path extensions = dir / "server.ext";
    RunCommand(tool + "req -x509 " + newKey + "-days 30 -subj '/CN=Quorvex test CA' "
                   "-addext 'basicConstraints=critical,CA:TRUE' -addext 'keyUsage=critical,keyCertSign,cRLSign' "
                   "-keyout '" + caKey.string() + "' -out '" + CaFile_.string() + "'",
               "", log);
    RunCommand(tool + "req " + newKey + "-subj '/CN=127.0.0.1' -keyout '" + KeyFile_.string() + "' -out '"
                   + request.string() + "'",
               "", log);
    std::ofstream(extensions) << "basicConstraints=critical,CA:FALSE\n"
                                 "keyUsage=critical,digitalSignature,keyEncipherment\n"
                                 "extendedKeyUsage=serverAuth\n"
                                 "subjectAltName=IP:127.0.0.1,DNS:localhost\n";
    RunCommand(tool + "x509 -req -in '" + request.string() + "' -CA '" + CaFile_.string() + "' -CAkey '"
                   + caKey.string() + "' -set_serial 2 -days 30 -extfile '" + extensions.string() + "' -out '"
                   + CertificateFile_.string() + "'",
               "", log);
}

void TNginxServer::Start()
{
    const std::string nginx = FindProgram("nginx");
    const std::string openssl = FindProgram("openssl");
    if (nginx.empty() || openssl.empty())
        throw std::runtime_error("nginx or openssl not installed (Debian packages nginx-light, openssl)");

    const fs::path root = Root_.Path();
    DocRoot_ = root / "www";
    CaFile_ = root / "tls" / "ca.pem";
    CertificateFile_ = root / "tls" / "server.pem";
    KeyFile_ = root / "tls" / "server.key";
    AccessLogFile_ = root / "access.log";
    fs::create_directories(DocRoot_);
    fs::create_directories(CaFile_.parent_path());
    fs::create_directories(root / "temp");
    MakeCertificates(openssl, root / "commands.log");

    HttpPort_ = FreeLoopbackPort();
    HttpsPort_ = FreeLoopbackPort();
    const std::string temp = (root / "temp").string();
    const fs::path conf = root / "nginx.conf";
    std::ofstream out(conf);
    // One process: simple to stop, and it logs each request before it serves the next.
    out << "daemon off;\n"
           "master_process off;\n"
           "worker_processes 1;\n"
           "pid " << (root / "nginx.pid").string() << ";\n"
           "lock_file " << (root / "nginx.lock").string() << ";\n"
           "error_log " << (root / "error.log").string() << " info;\n"
           "events { worker_connections 256; }\n"
           "http {\n";
    if (fs::exists("/etc/nginx/mime.types"))
        out << "  include /etc/nginx/mime.types;\n";
    out << "  default_type application/octet-stream;\n"
           "  client_body_temp_path " << temp << "/body;\n"
           "  proxy_temp_path " << temp << "/proxy;\n"
           "  fastcgi_temp_path " << temp << "/fastcgi;\n"
           "  uwsgi_temp_path " << temp << "/uwsgi;\n"
           "  scgi_temp_path " << temp << "/scgi;\n"
           "  log_format quorvex '$request|$http_range|$status|$http_user_agent|$http_cookie';\n"
           // No buffer: each line is in the file once its request is done.
           "  access_log " << AccessLogFile_.string() << " quorvex;\n"
           "  sendfile on;\n"
           "  server {\n"
           "    listen 127.0.0.1:" << HttpPort_ << ";\n"
           "    listen 127.0.0.1:" << HttpsPort_ << " ssl;\n"
           "    server_name 127.0.0.1 localhost;\n"
           "    ssl_certificate " << CertificateFile_.string() << ";\n"
           "    ssl_certificate_key " << KeyFile_.string() << ";\n"
           "    root " << DocRoot_.string() << ";\n"
           "    location / {\n"
           "      add_header Set-Cookie 'quorvex-test=1; Path=/' always;\n"
           "    }\n"
           "    location = " << LogSyncPath << " {\n"
           "      access_log off;\n"
           "      return 204;\n"
           "    }\n"
           "  }\n"
           "}\n";
    out.close();

    Nginx_.Start(nginx, {"-p", root.string() + "/", "-c", conf.string(), "-e", (root / "error.log").string()},
                 root / "nginx.out", {HttpPort_, HttpsPort_}, {root / "error.log"});
}
