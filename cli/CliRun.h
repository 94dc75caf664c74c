#pragma once

#include "cli/CliArguments.h"

// The exit statuses of quorvex-cli.
enum TCliExit : int { ceCompleted = 0, ceFailed = 1, ceUsage = 2 };

// Runs the command line's tasks (and those of its list) until every one has ended or a
// SIGINT or SIGTERM came, printing progress and final lines; returns the exit status.
int RunCli(const TCliArguments& arguments);
