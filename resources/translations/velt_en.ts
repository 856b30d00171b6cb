<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name></name>
    <message id="Error_CouldNotRetrieveFirmwareList">
        <source>Could not retrieve the firmware list from the server. Check your internet connection and try again.</source>
        <extracomment>Catalogue fetch failed; followed by ' (code)'</extracomment>
        <translation>Could not retrieve the firmware list from the server. Check your internet connection and try again.</translation>
    </message>
    <message id="Error_CouldNotReadFirmwareList">
        <source>The firmware list from the server could not be read.</source>
        <extracomment>Catalogue is not readable; followed by ' (code)'</extracomment>
        <translation>The firmware list from the server could not be read.</translation>
    </message>
    <message id="Error_NoFirmwareAvailable">
        <source>No firmware is available for this model.</source>
        <extracomment>The chosen model has no firmware</extracomment>
        <translation>No firmware is available for this model.</translation>
    </message>
    <message id="Info_NumberOfFirmwareVersionsAvailable">
        <source>Firmware versions available for this model: %d</source>
        <extracomment>Exactly one %d: the number of versions</extracomment>
        <translation>Firmware versions available for this model: %d</translation>
    </message>
    <message id="Caption_OriginalVersion">
        <source>original</source>
        <extracomment>Shown in parentheses after the first version of a model</extracomment>
        <translation>original</translation>
    </message>
    <message id="Caption_NewestVersion">
        <source>newest</source>
        <extracomment>Shown in parentheses after the last version of a model</extracomment>
        <translation>newest</translation>
    </message>
    <message id="Caption_ReleaseDate">
        <source>Release date</source>
        <extracomment>Followed by ': ' and the release date</extracomment>
        <translation>Release date</translation>
    </message>
    <message id="Error_CodeInconsistency">
        <source>This version is listed for the model but is missing from the firmware list. Choose another version.</source>
        <extracomment>The picked version is missing from the firmware list</extracomment>
        <translation>This version is listed for the model but is missing from the firmware list. Choose another version.</translation>
    </message>
    <message id="Caption_VersionInfo">
        <source>Firmware version: </source>
        <extracomment>Directly followed by the version name; include any separator</extracomment>
        <translation>Firmware version: </translation>
    </message>
    <message id="Info_DownloadingFirmwareFromServer">
        <source>Downloading the firmware from the server…</source>
        <extracomment>Status while the image downloads</extracomment>
        <translation>Downloading the firmware from the server…</translation>
    </message>
    <message id="Error_CouldNotDownLoadFirmware">
        <source>Could not download the firmware (HTTP status %d).</source>
        <extracomment>Exactly one %d: the HTTP status code</extracomment>
        <translation>Could not download the firmware (HTTP status %d).</translation>
    </message>
    <message id="Error_FileHashDoesNotMatch">
        <source>The downloaded firmware is damaged: its checksum does not match. Please try again.</source>
        <extracomment>MD5 of the download differs from the firmware list</extracomment>
        <translation>The downloaded firmware is damaged: its checksum does not match. Please try again.</translation>
    </message>
    <message id="Info_Preparing">
        <source>Firmware verified. Preparing to write it to the device…</source>
        <extracomment>Image verified; flashing starts shortly</extracomment>
        <translation>Firmware verified. Preparing to write it to the device…</translation>
    </message>
    <message id="Description_DFUMode">
        <source>The device could not be found in DFU mode. Put it into DFU mode, connect it, and try again.</source>
        <extracomment>The device is not in DFU mode</extracomment>
        <translation>The device could not be found in DFU mode. Put it into DFU mode, connect it, and try again.</translation>
    </message>
    <message id="Error_FailedToGetStatus">
        <source>The device stopped responding while the firmware was being written. Reconnect it in DFU mode and try again.</source>
        <extracomment>The device stopped answering status requests</extracomment>
        <translation>The device stopped responding while the firmware was being written. Reconnect it in DFU mode and try again.</translation>
    </message>
    <message id="Info_Writing">
        <source>Writing the firmware to the device. Do not disconnect it…</source>
        <extracomment>Status while the device is written</extracomment>
        <translation>Writing the firmware to the device. Do not disconnect it…</translation>
    </message>
    <message id="Info_Finishing">
        <source>Finishing…</source>
        <extracomment>Status once more than 99 per cent is written</extracomment>
        <translation>Finishing…</translation>
    </message>
    <message id="Info_WriteSucceeded">
        <source>The firmware was updated successfully. You can now disconnect the device.</source>
        <extracomment>The update succeeded</extracomment>
        <translation>The firmware was updated successfully. You can now disconnect the device.</translation>
    </message>
    <message id="ButtonCaption_Finish">
        <source>Finish</source>
        <extracomment>Button that quits after success</extracomment>
        <translation>Finish</translation>
    </message>
    <message id="Error_Generic">
        <source>The update failed.</source>
        <extracomment>Status text after any failure</extracomment>
        <translation>The update failed.</translation>
    </message>
    <message id="Error_FlashingToolUnavailable">
        <source>The firmware writing tool could not be started. Please reinstall Velt Firmware Updater.</source>
        <extracomment>The bundled flashing tool is missing or cannot be started</extracomment>
        <translation>The firmware writing tool could not be started. Please reinstall Velt Firmware Updater.</translation>
    </message>
    <message id="Error_FirmwareTooLarge">
        <source>The firmware file offered by the server is too large (over 256 MiB) and was refused.</source>
        <extracomment>The server offered a file over 256 MiB</extracomment>
        <translation>The firmware file offered by the server is too large (over 256 MiB) and was refused.</translation>
    </message>
    <message id="Error_NoFirmwareSelected">
        <source>No firmware version has been chosen. Go back and choose one.</source>
        <extracomment>The update page was reached without a chosen version</extracomment>
        <translation>No firmware version has been chosen. Go back and choose one.</translation>
    </message>
    <message id="Error_InvalidDownloadAddress">
        <source>The download address of this firmware is invalid.</source>
        <extracomment>The firmware's download address cannot be formed</extracomment>
        <translation>The download address of this firmware is invalid.</translation>
    </message>
    <message id="Error_NoDocumentsFolder">
        <source>Your Documents folder could not be found or created.</source>
        <extracomment>No Documents folder to store the image</extracomment>
        <translation>Your Documents folder could not be found or created.</translation>
    </message>
    <message id="Error_CouldNotSaveFirmware">
        <source>The firmware could not be saved to your Documents folder.</source>
        <extracomment>Writing the image file failed; the system's reason follows</extracomment>
        <translation>The firmware could not be saved to your Documents folder.</translation>
    </message>
</context>
</TS>
