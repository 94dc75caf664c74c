// Runs the tests' throw-away vsftpd and nginx for the download benchmark: prints
// "FTP_PORT FTP_FOLDER HTTP_PORT HTTP_FOLDER" once both accept connections, then serves until
// its standard input closes, and cleans up.

#include "support/FtpServer.h"
#include "support/NginxServer.h"

#include <iostream>
#include <string>

int main()
{
    TFtpServer* ftp = TFtpServer::Instance();
    TNginxServer* web = TNginxServer::Instance();
    if (!ftp || !web) {
        std::cerr << "bench_web_servers: " << (ftp ? TNginxServer::Problem() : TFtpServer::Problem()) << std::endl;
        return 1;
    }
    // "http://127.0.0.1:PORT/" -> PORT
    const std::string url = web->HttpUrl("");
    const std::string port = url.substr(url.rfind(':') + 1, url.size() - url.rfind(':') - 2);
    std::cout << ftp->Port() << ' ' << ftp->AnonDir().string() << ' ' << port << ' ' << web->DocRoot().string()
              << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
