#pragma once

#include <string>

// Program-wide option values, named by their keys in "options.xml", each with its default.
// Read once at start on the main thread; workers read them without a lock.
struct TOptions {
    // Display units.
    int iSizeType = 4;                // 0 bytes, 1 KB, 2 MB, 3 GB, 4 automatic
    int iSpeedType = 3;               // 0 per second, 1 kilo, 2 mega, 3 automatic
    bool MeasureSpeedInBits = true;

    // Clipboard monitoring by kind of link.
    bool bMonitorFTP = true;
    bool bMonitorHTTP = true;
    bool bMonitorNetbios = true;
    bool bMonitorLocal = false;

    // FTP transfer mode: 0 image, 1 text, 2 text for the extensions below.
    int iFTPMode = 0;
    std::string sFTPModeASCIIFileExt = "txt htm html";

    // Transfers.
    int TaskMaxRetries = 5;
    int TaskRetriesPause = 5;         // seconds
    int TaskBufferSize = 64;          // KiB
    bool bTaskErrorPauseTempTimeout = true;
    int iTaskErrorPauseTempTimeout = 30;   // minutes
    int iTaskErrorPauseTempRetries = 100;
    bool bTaskErrorMoveDown = false;
    bool bDetailedInfo = true;
    bool TaskReserveSpace = true;
    bool TaskStopIfNotReserve = false;
    bool TaskGetDateFromServer = true;
    bool bSetAtributes = true;
    int AlraedyInDiskWhatToDo = 4;

    // Task logs.
    bool TaskLogSaveToFile = true;
    int TaskLogLineMax = 300;
};

// The one instance the whole program reads.
TOptions& Options();
