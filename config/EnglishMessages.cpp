#include "config/EnglishMessages.h"

#include "config/MessageCatalogue.h"

#include <utility>

void LoadEnglishMessages()
{
    static const std::pair<const char*, const char*> texts[] = {
        // Units.
        {"sSizeByte", "B"},
        {"sSizeKByte", "KB"},
        {"sSizeMByte", "MB"},
        {"sSizeGByte", "GB"},
        // Stream steps.
        {"sEmptyFileName", "No file name given"},
        {"sErrorCode", "Error %d"},
        {"sSessionInitialized", "Session with %s opened"},
        {"sSessionInitializeFailed", "Cannot open a session with %s"},
        {"sSessionFinalized", "Session with %s closed"},
        {"sSessionFinalizeFailed", "Cannot close the session with %s"},
        {"sConnectionInitialized", "Connected to %s"},
        {"sConnectionInitializeFailed", "Cannot connect to %s"},
        {"sConnectionFinalized", "Disconnected from %s"},
        {"sConnectionFinalizeFailed", "Cannot disconnect from %s"},
        {"sReadStreamOpened", "Opened %s for reading"},
        {"sReadStreamOpenFailed", "Cannot open %s for reading"},
        {"sWriteStreamOpened", "Opened %s for writing"},
        {"sWriteStreamOpenFailed", "Cannot open %s for writing"},
        {"sStreamClosed", "Closed %s"},
        {"sStreamCloseFailed", "Cannot close %s"},
        {"sGetDateFailed", "Cannot read the time of %s"},
        {"sSetDateFailed", "Cannot set the time of %s"},
        {"sGetPositionFailed", "Cannot read the position in %s"},
        {"sSetPositionFailed", "Cannot move to %1:s in %0:s"},
        {"sGetSizeFailed", "Cannot read the size of %s"},
        {"sSetSizeFailed", "Cannot set the size of %s"},
        {"sReadDataFailed", "Cannot read from %s"},
        {"sWriteDataFailed", "Cannot write to %s"},
        {"sGetAttributesFailed", "Cannot read the attributes of %s"},
        {"sSetAttributesFailed", "Cannot set the attributes of %s"},
        // The transfer.
        {"sStartDownload", "Copying %s"},
        {"sInvalidLinkType", "Not a file path or link: %s"},
        {"sLinkTypeNotSupported", "This build cannot copy links like %s yet"},
        {"sDestinationAlreadyExists", "%s already exists at the destination"},
        {"sDestinationNotExists", "The copy begun at %s has vanished; starting again"},
        {"sDestinationRenamed", "Saving as %s"},
        {"sDestinationOverWrited", "Overwriting %s"},
        {"sDestinationAdded", "Continuing %s"},
        {"sDownloadStoppedDestinationExist", "Stopped: %s already exists"},
        {"sReserveSpace", "Reserving %s for %s"},
        {"sReserveSpaceFailed", "Cannot reserve %s for %s"},
        {"sDownloadContinue", "Going on without the reservation"},
        {"sDownloadStopped", "Copy stopped"},
        {"sNotAddedToDownload", "The destination is already complete; nothing to add"},
        {"sResumeNotSupported", "Resuming is not possible here; copying from the start"},
        {"sStartPosition", "Size %s, starting at %s"},
        {"sUserCancelDownload", "Stopped by the user"},
        {"sSizeReadNotEQSizeWrite", "Fewer bytes written than read"},
        {"sSourceEndedEarly", "The source ended after %s of %s"},
        {"sSetData", "Setting the file time"},
        {"sSetAttributes", "Setting the attributes"},
        {"sWaitBeforeRetry", "Attempt %d of %d failed; retrying in %d s"},
        {"sPauseTempBeforeRetry", "Pause %d of %d: retrying in %d min"},
        // Task commands.
        {"sErrorDeleteDestination", "Cannot delete %s"},
        {"sAllSelectedStartImmediatelly", "Start the selected tasks now, beyond the limits?"},
        {"sAllSelectedRestart", "Restart the selected tasks from the beginning?"},
        {"sAllSelectedDelete", "Delete the selected tasks?"},
        {"sAllDelete", "Delete all tasks?"},
        {"sUseForOtherIncompleteTask", "Do the same for the other unfinished tasks?"},
        {"sNoFindedItem", "Nothing found"},
        {"sFindedItemEnd", "The end of the list was reached. Search again from the top?"},
    };
    for (const auto& [id, text] : texts)
        SetMessageText(id, text);
}
