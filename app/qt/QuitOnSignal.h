#pragma once

// SIGTERM (the session ending) and SIGINT end the event loop as the exit command does,
// without asking, so that every list is saved.
void QuitOnSignals();
