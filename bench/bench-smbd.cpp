// Runs the tests' throw-away smbd for the copy benchmark: prints "PORT PUBLIC_FOLDER" once it
// accepts connections, then serves until its standard input closes, and cleans up.

#include "support/SambaServer.h"

#include <cstdio>
#include <iostream>
#include <string>

int main()
{
    TSambaServer* server = TSambaServer::Instance();
    if (!server) {
        std::cerr << "bench_smbd: " << TSambaServer::Problem() << std::endl;
        return 1;
    }
    std::cout << server->Port() << ' ' << server->PublicDir().string() << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
