#pragma once

// Kinds of task log entries; the log view shows each with its own image and colour, and
// the codes are stored in task-list files.
enum TLogCode : int {
    lcStepSucceeded = 0,      // a stream step succeeded (session, connection, open, close)
    lcDestinationNotice = 1,  // the destination exists, or there is nothing to add to it
    lcInformation = 2,        // progress steps, and server replies after a successful step
    lcFailure = 4,            // a failed step, its error text, and stop messages
    lcFailureReply = 5,       // the server's reply after a failed step
};
