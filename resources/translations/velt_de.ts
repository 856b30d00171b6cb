<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: Apache-2.0 -->
<!-- Glossary: the words GNOME and KDE use in this language; keep to them.
     Next      Weiter
     Back      Zurück
     Quit      Beenden
     Finish    Fertigstellen
     DFU mode  DFU-Modus
     firmware  Firmware -->
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name></name>
    <message id="Error_CouldNotRetrieveFirmwareList">
        <source>Could not retrieve the firmware list from the server. Check your internet connection and try again.</source>
        <extracomment>Catalogue fetch failed; followed by ' (code)'</extracomment>
        <translation>Die Firmware-Liste konnte nicht vom Server abgerufen werden. Prüfen Sie Ihre Internetverbindung und versuchen Sie es erneut.</translation>
    </message>
    <message id="Error_CouldNotReadFirmwareList">
        <source>The firmware list from the server could not be read.</source>
        <extracomment>Catalogue is not readable; followed by ' (code)'</extracomment>
        <translation>Die Firmware-Liste des Servers konnte nicht gelesen werden.</translation>
    </message>
    <message id="Error_NoFirmwareAvailable">
        <source>No firmware is available for this model.</source>
        <extracomment>The chosen model has no firmware</extracomment>
        <translation>Für dieses Modell ist keine Firmware verfügbar.</translation>
    </message>
    <message id="Info_NumberOfFirmwareVersionsAvailable">
        <source>Firmware versions available for this model: %d</source>
        <extracomment>Exactly one %d: the number of versions</extracomment>
        <translation>Verfügbare Firmware-Versionen für dieses Modell: %d</translation>
    </message>
    <message id="Caption_OriginalVersion">
        <source>original</source>
        <extracomment>Shown in parentheses after the first version of a model</extracomment>
        <translation>Original</translation>
    </message>
    <message id="Caption_NewestVersion">
        <source>newest</source>
        <extracomment>Shown in parentheses after the last version of a model</extracomment>
        <translation>neueste</translation>
    </message>
    <message id="Caption_ReleaseDate">
        <source>Release date</source>
        <extracomment>Followed by ': ' and the release date</extracomment>
        <translation>Erscheinungsdatum</translation>
    </message>
    <message id="Error_CodeInconsistency">
        <source>This version is listed for the model but is missing from the firmware list. Choose another version.</source>
        <extracomment>The picked version is missing from the firmware list</extracomment>
        <translation>Diese Version ist für das Modell aufgeführt, fehlt aber in der Firmware-Liste. Wählen Sie eine andere Version.</translation>
    </message>
    <message id="Caption_VersionInfo">
        <source>Firmware version: </source>
        <extracomment>Directly followed by the version name; include any separator</extracomment>
        <translation>Firmware-Version: </translation>
    </message>
    <message id="Info_DownloadingFirmwareFromServer">
        <source>Downloading the firmware from the server…</source>
        <extracomment>Status while the image downloads</extracomment>
        <translation>Die Firmware wird vom Server heruntergeladen…</translation>
    </message>
    <message id="Error_CouldNotDownLoadFirmware">
        <source>Could not download the firmware (HTTP status %d).</source>
        <extracomment>Exactly one %d: the HTTP status code</extracomment>
        <translation>Die Firmware konnte nicht heruntergeladen werden (HTTP-Status %d).</translation>
    </message>
    <message id="Error_FileHashDoesNotMatch">
        <source>The downloaded firmware is damaged: its checksum does not match. Please try again.</source>
        <extracomment>MD5 of the download differs from the firmware list</extracomment>
        <translation>Die heruntergeladene Firmware ist beschädigt: Ihre Prüfsumme stimmt nicht. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message id="Info_Preparing">
        <source>Firmware verified. Preparing to write it to the device…</source>
        <extracomment>Image verified; flashing starts shortly</extracomment>
        <translation>Firmware geprüft. Das Schreiben auf das Gerät wird vorbereitet…</translation>
    </message>
    <message id="Description_DFUMode">
        <source>The device could not be found in DFU mode. Put it into DFU mode, connect it, and try again.</source>
        <extracomment>The device is not in DFU mode</extracomment>
        <translation>Das Gerät wurde nicht im DFU-Modus gefunden. Versetzen Sie es in den DFU-Modus, schließen Sie es an und versuchen Sie es erneut.</translation>
    </message>
    <message id="Error_FailedToGetStatus">
        <source>The device stopped responding while the firmware was being written. Reconnect it in DFU mode and try again.</source>
        <extracomment>The device stopped answering status requests</extracomment>
        <translation>Das Gerät hat beim Schreiben der Firmware nicht mehr geantwortet. Schließen Sie es im DFU-Modus erneut an und versuchen Sie es noch einmal.</translation>
    </message>
    <message id="Info_Writing">
        <source>Writing the firmware to the device. Do not disconnect it…</source>
        <extracomment>Status while the device is written</extracomment>
        <translation>Die Firmware wird auf das Gerät geschrieben. Trennen Sie es nicht…</translation>
    </message>
    <message id="Info_Finishing">
        <source>Finishing…</source>
        <extracomment>Status once more than 99 per cent is written</extracomment>
        <translation>Wird abgeschlossen…</translation>
    </message>
    <message id="Info_TimeLeftSeconds" numerus="yes">
        <source>About %n seconds left</source>
        <extracomment>Beside the progress bar while downloading or writing; %n is a multiple of 5 under 60</extracomment>
        <translation>
            <numerusform>Noch etwa %n Sekunde</numerusform>
            <numerusform>Noch etwa %n Sekunden</numerusform>
        </translation>
    </message>
    <message id="Info_TimeLeftMinutes" numerus="yes">
        <source>About %n minutes left</source>
        <extracomment>Beside the progress bar while downloading or writing; %n whole minutes</extracomment>
        <translation>
            <numerusform>Noch etwa %n Minute</numerusform>
            <numerusform>Noch etwa %n Minuten</numerusform>
        </translation>
    </message>
    <message id="Info_DeviceInstalling">
        <source>The device is installing the firmware. Keep it connected.</source>
        <extracomment>Beside the progress bar once the device has the whole image and applies it</extracomment>
        <translation>Das Gerät installiert die Firmware. Lassen Sie es angeschlossen.</translation>
    </message>
    <message id="Info_WriteSucceeded">
        <source>The firmware was updated successfully. You can now disconnect the device.</source>
        <extracomment>The update succeeded</extracomment>
        <translation>Die Firmware wurde erfolgreich aktualisiert. Sie können das Gerät jetzt trennen.</translation>
    </message>
    <message id="ButtonCaption_Finish">
        <source>Finish</source>
        <extracomment>Button that quits after success</extracomment>
        <translation>Fertigstellen</translation>
    </message>
    <message id="Error_Generic">
        <source>The update failed.</source>
        <extracomment>Status text after any failure</extracomment>
        <translation>Die Aktualisierung ist fehlgeschlagen.</translation>
    </message>
    <message id="Error_FlashingToolUnavailable">
        <source>The firmware writing tool could not be started. Please reinstall Velt Firmware Updater.</source>
        <extracomment>The bundled flashing tool is missing or cannot be started</extracomment>
        <translation>Das Programm zum Schreiben der Firmware konnte nicht gestartet werden. Bitte installieren Sie Velt Firmware Updater neu.</translation>
    </message>
    <message id="Error_DownloadIncomplete">
        <source>The download ended before the whole firmware file arrived. Check your internet connection and try again.</source>
        <extracomment>The connection ended before the whole firmware file arrived</extracomment>
        <translation>Der Download endete, bevor die ganze Firmware-Datei angekommen war. Prüfen Sie Ihre Internetverbindung und versuchen Sie es erneut.</translation>
    </message>
    <message id="Error_DownloadFailed">
        <source>The firmware could not be downloaded. Check your internet connection and try again.</source>
        <extracomment>The image download failed at the network level; the network library's own text goes behind the details</extracomment>
        <translation>Die Firmware konnte nicht heruntergeladen werden. Prüfen Sie Ihre Internetverbindung und versuchen Sie es erneut.</translation>
    </message>
    <message id="Error_DownloadTimedOut">
        <source>The firmware server stopped answering. Check your internet connection and try again.</source>
        <extracomment>The download of the firmware file timed out</extracomment>
        <translation>Der Firmware-Server antwortet nicht mehr. Prüfen Sie Ihre Internetverbindung und versuchen Sie es erneut.</translation>
    </message>
    <message id="Error_FirmwareTooLarge">
        <source>The firmware file offered by the server is too large (over 256 MiB) and was refused.</source>
        <extracomment>The server offered a file over 256 MiB</extracomment>
        <translation>Die vom Server angebotene Firmware-Datei ist zu groß (über 256 MiB) und wurde abgelehnt.</translation>
    </message>
    <message id="Error_NoFirmwareSelected">
        <source>No firmware version has been chosen. Go back and choose one.</source>
        <extracomment>The update page was reached without a chosen version</extracomment>
        <translation>Es wurde keine Firmware-Version gewählt. Gehen Sie zurück und wählen Sie eine aus.</translation>
    </message>
    <message id="Error_InvalidDownloadAddress">
        <source>The download address of this firmware is invalid.</source>
        <extracomment>The firmware's download address cannot be formed</extracomment>
        <translation>Die Download-Adresse dieser Firmware ist ungültig.</translation>
    </message>
    <message id="Error_NoDocumentsFolder">
        <source>Your Documents folder could not be found or created.</source>
        <extracomment>No Documents folder to store the image</extracomment>
        <translation>Ihr Dokumente-Ordner wurde nicht gefunden und konnte nicht angelegt werden.</translation>
    </message>
    <message id="Error_CouldNotSaveFirmware">
        <source>The firmware could not be saved to your Documents folder.</source>
        <extracomment>Writing the image file failed; the system's reason follows</extracomment>
        <translation>Die Firmware konnte nicht in Ihrem Dokumente-Ordner gespeichert werden.</translation>
    </message>
    <message id="Caption_MenuFile">
        <source>&amp;File</source>
        <extracomment>Menu title; &amp; marks the access key</extracomment>
        <translation>&amp;Datei</translation>
    </message>
    <message id="Caption_MenuQuit">
        <source>&amp;Quit</source>
        <extracomment>Menu command that quits the application</extracomment>
        <translation>&amp;Beenden</translation>
    </message>
    <message id="Caption_MenuHelp">
        <source>&amp;Help</source>
        <extracomment>Menu title; &amp; marks the access key</extracomment>
        <translation>&amp;Hilfe</translation>
    </message>
    <message id="Caption_MenuAbout">
        <source>&amp;About Velt Firmware Updater</source>
        <extracomment>Menu command showing the About box</extracomment>
        <translation>Ü&amp;ber Velt Firmware Updater</translation>
    </message>
    <message id="Caption_AboutVersion">
        <source>Version</source>
        <extracomment>About box; followed by a space and the version number</extracomment>
        <translation>Version</translation>
    </message>
    <message id="Description_About">
        <source>Updates the firmware of Velt USB audio devices.</source>
        <extracomment>About box description</extracomment>
        <translation>Aktualisiert die Firmware von Velt-USB-Audiogeräten.</translation>
    </message>
    <message id="Caption_IntroTitle">
        <source>Welcome to Velt Firmware Updater</source>
        <extracomment>Header of the first page</extracomment>
        <translation>Willkommen beim Velt Firmware Updater</translation>
    </message>
    <message id="Description_Intro">
        <source>This assistant installs new firmware on your Velt USB audio device. You choose your device model and a firmware version and put the device into DFU mode; the updater then downloads the firmware and writes it to the device.

The list of available firmware is loaded from the Velt server when this page opens. Click Next as soon as it becomes available.</source>
        <extracomment>Explanation on the first page</extracomment>
        <translation>Dieser Assistent installiert neue Firmware auf Ihrem Velt-USB-Audiogerät. Sie wählen Ihr Gerätemodell und eine Firmware-Version und versetzen das Gerät in den DFU-Modus; danach lädt das Programm die Firmware herunter und schreibt sie auf das Gerät.

Die Liste der verfügbaren Firmware wird beim Öffnen dieser Seite vom Velt-Server geladen. Klicken Sie auf „Weiter“, sobald die Schaltfläche verfügbar ist.</translation>
    </message>
    <message id="Caption_SelectModelTitle">
        <source>Choose your device model</source>
        <extracomment>Header of the model page</extracomment>
        <translation>Wählen Sie Ihr Gerätemodell</translation>
    </message>
    <message id="Description_SelectModel">
        <source>Select the model of the device you want to update.</source>
        <extracomment>Explanation on the model page</extracomment>
        <translation>Wählen Sie das Modell des Geräts, das Sie aktualisieren möchten.</translation>
    </message>
    <message id="Caption_Model">
        <source>Model:</source>
        <extracomment>Label before the model list</extracomment>
        <translation>Modell:</translation>
    </message>
    <message id="Caption_SelectVersionTitle">
        <source>Choose a firmware version</source>
        <extracomment>Header of the version page</extracomment>
        <translation>Wählen Sie eine Firmware-Version</translation>
    </message>
    <message id="Description_SelectVersion">
        <source>The newest version is selected. You can choose an earlier version instead, for example to return to one you used before.</source>
        <extracomment>Explanation on the version page</extracomment>
        <translation>Die neueste Version ist ausgewählt. Sie können stattdessen eine frühere wählen, etwa um zu einer zuvor genutzten Version zurückzukehren.</translation>
    </message>
    <message id="Caption_Version">
        <source>Version:</source>
        <extracomment>Label before the version list</extracomment>
        <translation>Version:</translation>
    </message>
    <message id="Caption_DFUSetupTitle">
        <source>Put the device into DFU mode</source>
        <extracomment>Header of the DFU instructions page</extracomment>
        <translation>Gerät in den DFU-Modus versetzen</translation>
    </message>
    <message id="Description_DFUSetup">
        <source>To receive new firmware, the device must be in DFU (Device Firmware Upgrade) mode:

1. Switch the device off and disconnect its USB cable.
2. Press and hold the device's DFU button (your device's manual shows where it is).
3. While holding the button, connect the device to this computer with the USB cable.
4. Release the button when the status light starts blinking. The device is now in DFU mode.

Click Next to start the update. Keep the device connected until the update has finished.</source>
        <extracomment>Step-by-step instructions for entering DFU mode</extracomment>
        <translation>Um neue Firmware zu empfangen, muss das Gerät im DFU-Modus (Device Firmware Upgrade) sein:

1. Schalten Sie das Gerät aus und ziehen Sie sein USB-Kabel ab.
2. Halten Sie die DFU-Taste des Geräts gedrückt (wo sie sitzt, zeigt das Handbuch des Geräts).
3. Schließen Sie das Gerät bei gedrückter Taste mit dem USB-Kabel an diesen Computer an.
4. Lassen Sie die Taste los, sobald die Statusleuchte blinkt. Das Gerät ist jetzt im DFU-Modus.

Klicken Sie auf „Weiter“, um die Aktualisierung zu starten. Lassen Sie das Gerät angeschlossen, bis die Aktualisierung abgeschlossen ist.</translation>
    </message>
    <message id="Caption_UpdateTitle">
        <source>Updating the firmware</source>
        <extracomment>Header of the update page</extracomment>
        <translation>Firmware wird aktualisiert</translation>
    </message>
    <message id="Description_UpdateNotice">
        <source>Keep the device connected and switched on until the update has finished. The updater cannot be closed while the firmware is being written.</source>
        <extracomment>Notice on the update page</extracomment>
        <translation>Lassen Sie das Gerät angeschlossen und eingeschaltet, bis die Aktualisierung abgeschlossen ist. Während die Firmware geschrieben wird, kann das Programm nicht beendet werden.</translation>
    </message>
    <message id="ButtonCaption_Next">
        <source>Next</source>
        <extracomment>Button to the next page</extracomment>
        <translation>Weiter</translation>
    </message>
    <message id="ButtonCaption_Back">
        <source>Back</source>
        <extracomment>Button back to the previous page</extracomment>
        <translation>Zurück</translation>
    </message>
    <message id="Caption_AccessibleModelList">
        <source>Device model</source>
        <extracomment>Accessible name of the model list</extracomment>
        <translation>Gerätemodell</translation>
    </message>
    <message id="Caption_AccessibleMessages">
        <source>Messages</source>
        <extracomment>Accessible name of the model page's message area</extracomment>
        <translation>Meldungen</translation>
    </message>
    <message id="Caption_AccessibleVersionList">
        <source>Firmware version</source>
        <extracomment>Accessible name of the version list</extracomment>
        <translation>Firmware-Version</translation>
    </message>
    <message id="Caption_AccessibleVersionInfo">
        <source>Version information</source>
        <extracomment>Accessible name of the version page's information area</extracomment>
        <translation>Versionsinformationen</translation>
    </message>
    <message id="Caption_AccessibleInstructions">
        <source>Instructions</source>
        <extracomment>Accessible name of the DFU instructions</extracomment>
        <translation>Anleitung</translation>
    </message>
    <message id="Caption_AccessibleImageDetails">
        <source>File details</source>
        <extracomment>Accessible name of the local file page's area with the file's name, size, DFU suffix and MD5</extracomment>
        <translation>Dateidetails</translation>
    </message>
    <message id="Caption_AccessibleProgress">
        <source>Update progress</source>
        <extracomment>Accessible name of the progress bar</extracomment>
        <translation>Fortschritt der Aktualisierung</translation>
    </message>
    <message id="Caption_AccessibleStatus">
        <source>Update status</source>
        <extracomment>Accessible name of the update page's status area</extracomment>
        <translation>Status der Aktualisierung</translation>
    </message>
    <message id="Error_FlashingToolFailed">
        <source>Writing the firmware failed (exit status %d), and the writing tool gave no reason. Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool failed without a readable reason; %d is its exit status</extracomment>
        <translation>Das Schreiben der Firmware ist fehlgeschlagen (Exit-Status %d), und das Schreibprogramm hat keinen Grund genannt. Schließen Sie das Gerät im DFU-Modus erneut an und versuchen Sie es noch einmal.</translation>
    </message>
    <message id="Error_FlashingToolStopped">
        <source>The writing tool stopped unexpectedly (signal %d). Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool was ended by a signal (it crashed or was killed); %d is the signal number</extracomment>
        <translation>Das Schreibprogramm wurde unerwartet beendet (Signal %d). Schließen Sie das Gerät im DFU-Modus erneut an und versuchen Sie es noch einmal.</translation>
    </message>
    <message id="Caption_MenuCopyDiagnostics">
        <source>&amp;Copy Diagnostics</source>
        <extracomment>Help menu: copies this run's diagnostic lines to the clipboard for a support request</extracomment>
        <translation>Diagnose &amp;kopieren</translation>
    </message>
    <message id="Caption_MenuOpenLogFolder">
        <source>Open &amp;Log Folder</source>
        <extracomment>Help menu: opens the folder that keeps the diagnostics log</extracomment>
        <translation>&amp;Protokollordner öffnen</translation>
    </message>
    <message id="Info_DeviceConnected">
        <source>A device in DFU mode is connected.</source>
        <extracomment>DFU setup page status: the device in DFU mode is present</extracomment>
        <translation>Ein Gerät im DFU-Modus ist angeschlossen.</translation>
    </message>
    <message id="Info_DeviceNotFound">
        <source>No device in DFU mode found yet. Connect it with its USB cable and put it into DFU mode as shown above.</source>
        <extracomment>DFU setup page status: no device in DFU mode; one line with a hint</extracomment>
        <translation>Noch kein Gerät im DFU-Modus gefunden. Per USB-Kabel anschließen und wie oben beschrieben in den DFU-Modus versetzen.</translation>
    </message>
    <message id="Info_DeviceSeveral">
        <source>Connect only the device you want to update.</source>
        <extracomment>DFU setup page status and alert: more than one device in DFU mode is connected</extracomment>
        <translation>Schließen Sie nur das Gerät an, das Sie aktualisieren möchten.</translation>
    </message>
    <message id="Info_DeviceDeniedReconnect">
        <source>You are not allowed to use the device yet. Unplug it and connect it again.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device although the udev rule is installed, local session</extracomment>
        <translation>Sie dürfen das Gerät noch nicht verwenden. Trennen Sie es und schließen Sie es erneut an.</translation>
    </message>
    <message id="Info_DeviceDeniedRemote">
        <source>This session is not at the computer's own screen and keyboard, so it may not use the device. Sign in at the computer, or ask the administrator to add the group rule described in the README.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device in a session that is not at the local seat (e.g. over SSH)</extracomment>
        <translation>Diese Sitzung läuft nicht an Bildschirm und Tastatur des Computers und darf das Gerät daher nicht verwenden. Melden Sie sich am Computer an oder bitten Sie die Administration, die in der README beschriebene Gruppenregel einzurichten.</translation>
    </message>
    <message id="Info_DeviceDeniedNoRule">
        <source>You are not allowed to use the device. Install the rule file 70-velt-dfu.rules in /etc/udev/rules.d, then unplug the device and connect it again.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device and the udev rule is not installed; names the file</extracomment>
        <translation>Sie dürfen das Gerät nicht verwenden. Installieren Sie die Regeldatei 70-velt-dfu.rules in /etc/udev/rules.d, trennen Sie dann das Gerät und schließen Sie es erneut an.</translation>
    </message>
    <message id="Info_DeviceBusy">
        <source>Another program is using the device. Close that program, then try again.</source>
        <extracomment>DFU setup page status and alert: another program holds the device</extracomment>
        <translation>Ein anderes Programm verwendet das Gerät. Beenden Sie dieses Programm und versuchen Sie es erneut.</translation>
    </message>
    <message id="Description_InhibitSleep">
        <source>Firmware is being written to the device; interrupting it could leave the device unusable.</source>
        <extracomment>Shown by the desktop when the user tries to suspend or shut down while the device is written</extracomment>
        <translation>Die Firmware wird auf das Gerät geschrieben; eine Unterbrechung könnte das Gerät unbrauchbar machen.</translation>
    </message>
    <message id="Error_CouldNotOpenLogFolder">
        <source>The log folder could not be opened. Its path is in the details.</source>
        <extracomment>Help menu: the file manager could not show the log folder; the folder's path follows behind the details button</extracomment>
        <translation>Der Protokollordner konnte nicht geöffnet werden. Sein Pfad steht in den Details.</translation>
    </message>
    <message id="Error_AlreadyRunning">
        <source>Velt Firmware Updater is already running. Use the window that is open, or quit it before starting the updater again.</source>
        <extracomment>A second start of the application while one instance runs for this user; it ends after this alert</extracomment>
        <translation>Velt Firmware Updater läuft bereits. Verwenden Sie das geöffnete Fenster oder beenden Sie es, bevor Sie das Programm erneut starten.</translation>
    </message>
    <message id="Error_FlashingToolNotResponding">
        <source>The firmware writing tool stopped responding and was ended. Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool printed nothing for minutes and was stopped</extracomment>
        <translation>Das Programm zum Schreiben der Firmware reagierte nicht mehr und wurde beendet. Schließen Sie das Gerät im DFU-Modus erneut an und versuchen Sie es noch einmal.</translation>
    </message>
    <message id="Error_DownloadTooManyRedirects">
        <source>The firmware server redirected the download too many times.</source>
        <extracomment>The image download was redirected more than 50 times (a loop on the server)</extracomment>
        <translation>Der Firmware-Server hat den Download zu oft umgeleitet.</translation>
    </message>
    <message id="Error_DownloadRedirectRefused">
        <source>The firmware server sent the download to an address that is not allowed.</source>
        <extracomment>The server redirected the image download to an address the updater does not trust; the reason follows</extracomment>
        <translation>Der Firmware-Server hat den Download an eine nicht zulässige Adresse umgeleitet.</translation>
    </message>
    <message id="Error_DeviceDidNotAnswer">
        <source>The device did not answer, so no firmware was written. Reconnect it in DFU mode and try again.</source>
        <extracomment>Five attempts ended before any firmware was written: the device never answered</extracomment>
        <translation>Das Gerät hat nicht geantwortet, daher wurde keine Firmware geschrieben. Schließen Sie es im DFU-Modus erneut an und versuchen Sie es noch einmal.</translation>
    </message>
    <message id="Caption_TimeLeft">
        <source>time left</source>
        <extracomment>Command line progress: label before the remaining time (m:ss)</extracomment>
        <translation>Restzeit</translation>
    </message>
    <message id="Info_Cancelled">
        <source>Cancelled. Nothing was written to the device.</source>
        <extracomment>Command line: Ctrl-C or a declined confirmation ended the update before the device was written</extracomment>
        <translation>Abgebrochen. Es wurde nichts auf das Gerät geschrieben.</translation>
    </message>
    <message id="Prompt_ConfirmWrite">
        <source>Write this firmware into the device? [y/N]</source>
        <extracomment>Command line: asks before writing; y or yes confirms</extracomment>
        <translation>Diese Firmware auf das Gerät schreiben? [y/N]</translation>
    </message>
    <message id="Caption_FirmwareToWrite">
        <source>Firmware to write:</source>
        <extracomment>Command line: heading above the model, version, file and MD5 about to be written</extracomment>
        <translation>Zu schreibende Firmware:</translation>
    </message>
    <message id="Error_ConfirmationNeeded">
        <source>Nothing was written: the update was not confirmed. Add --yes when the updater does not run in a terminal.</source>
        <extracomment>Command line: standard input is not a terminal and --yes was not given</extracomment>
        <translation>Es wurde nichts geschrieben: Die Aktualisierung wurde nicht bestätigt. Geben Sie --yes an, wenn das Programm nicht in einem Terminal läuft.</translation>
    </message>
    <message id="Description_CommandLineDFUSetup">
        <source>Put the device into DFU mode:

1. Switch the device off and disconnect its USB cable.
2. Press and hold the device's DFU button (your device's manual shows where it is).
3. While holding the button, connect the device to this computer with the USB cable.
4. Release the button when the status light starts blinking.

The update starts as soon as the device is found. Keep it connected until the update has finished.</source>
        <extracomment>Command line: DFU mode instructions printed before waiting for the device</extracomment>
        <translation>Versetzen Sie das Gerät in den DFU-Modus:

1. Schalten Sie das Gerät aus und ziehen Sie sein USB-Kabel ab.
2. Halten Sie die DFU-Taste des Geräts gedrückt (wo sie sitzt, zeigt das Handbuch des Geräts).
3. Schließen Sie das Gerät bei gedrückter Taste mit dem USB-Kabel an diesen Computer an.
4. Lassen Sie die Taste los, sobald die Statusleuchte blinkt.

Die Aktualisierung beginnt, sobald das Gerät gefunden wird. Lassen Sie es angeschlossen, bis die Aktualisierung abgeschlossen ist.</translation>
    </message>
    <message id="Error_DeviceStateUnknown">
        <source>Whether a device in DFU mode is connected could not be found out.</source>
        <extracomment>Command line: the device watch gave no usable answer</extracomment>
        <translation>Es konnte nicht festgestellt werden, ob ein Gerät im DFU-Modus angeschlossen ist.</translation>
    </message>
    <message id="Info_QuitRefusedWhileWriting">
        <source>The device is being written and must not be interrupted. The updater ends when the write has finished.</source>
        <extracomment>Ctrl-C or a termination signal while the device is written: refused</extracomment>
        <translation>Das Gerät wird gerade beschrieben und darf nicht unterbrochen werden. Das Programm wird beendet, sobald das Schreiben abgeschlossen ist.</translation>
    </message>
    <message id="Error_UnknownModel">
        <source>The catalogue has no model of this name:</source>
        <extracomment>Command line: --update names an unknown model; the name follows</extracomment>
        <translation>Der Katalog enthält kein Modell mit diesem Namen:</translation>
    </message>
    <message id="Error_UnknownVersion">
        <source>The catalogue has no version of this name for the model:</source>
        <extracomment>Command line: --version names an unknown version; the name follows</extracomment>
        <translation>Der Katalog enthält für das Modell keine Version mit diesem Namen:</translation>
    </message>
    <message id="Error_CommandLineOneAction">
        <source>Give only one of --list, --update and --file.</source>
        <extracomment>Command line usage error</extracomment>
        <translation>Geben Sie nur eine der Optionen --list, --update und --file an.</translation>
    </message>
    <message id="Error_CommandLineMd5Required">
        <source>--file needs --md5 with the file's MD5 digest (32 hexadecimal digits) as support sent it: the digest proves that the file is the intended one.</source>
        <extracomment>Command line usage error: --md5 missing or not a digest</extracomment>
        <translation>--file erfordert --md5 mit der MD5-Prüfsumme der Datei (32 Hexadezimalziffern), wie der Support sie geschickt hat: Sie belegt, dass es die richtige Datei ist.</translation>
    </message>
    <message id="Error_CommandLineBadWait">
        <source>--wait needs a number of seconds, 0 or more.</source>
        <extracomment>Command line usage error</extracomment>
        <translation>--wait erfordert eine Anzahl Sekunden (0 oder mehr).</translation>
    </message>
    <message id="Error_ImageUnreadable">
        <source>The image file cannot be read.</source>
        <extracomment>Image file check: the file cannot be opened or is not a regular file</extracomment>
        <translation>Die Abbilddatei kann nicht gelesen werden.</translation>
    </message>
    <message id="Error_ImageTooLarge">
        <source>The image file is larger than 256 MiB, too large for firmware.</source>
        <extracomment>Image file check: size</extracomment>
        <translation>Die Abbilddatei ist größer als 256 MiB und damit zu groß für eine Firmware.</translation>
    </message>
    <message id="Error_ImageEmpty">
        <source>The image file holds no firmware: its content is empty.</source>
        <extracomment>Image file check: no payload before the DFU suffix</extracomment>
        <translation>Die Abbilddatei enthält keine Firmware: Ihr Inhalt ist leer.</translation>
    </message>
    <message id="Error_ImageNoSuffix">
        <source>The image file is not a DFU file: it has no DFU suffix.</source>
        <extracomment>Image file check: the file does not end in a DFU suffix</extracomment>
        <translation>Die Abbilddatei ist keine DFU-Datei: Ihr fehlt das DFU-Suffix.</translation>
    </message>
    <message id="Error_ImageBadSuffix">
        <source>The image file is damaged: its DFU suffix or checksum (CRC) is wrong.</source>
        <extracomment>Image file check: suffix length or CRC wrong</extracomment>
        <translation>Die Abbilddatei ist beschädigt: Ihr DFU-Suffix oder ihre Prüfsumme (CRC) ist falsch.</translation>
    </message>
    <message id="Error_ImageWrongDevice">
        <source>The image file is made for another device: its DFU vendor and product ids are not those of the Velt device.</source>
        <extracomment>Image file check: the suffix names other USB ids</extracomment>
        <translation>Die Abbilddatei ist für ein anderes Gerät bestimmt: Ihre DFU-Hersteller- und -Produkt-IDs sind nicht die des Velt-Geräts.</translation>
    </message>
    <message id="Error_ImageDigestMismatch">
        <source>The image file's MD5 digest is not the one given: it is not the intended file.</source>
        <extracomment>Image file check: MD5 differs from --md5</extracomment>
        <translation>Die MD5-Prüfsumme der Abbilddatei stimmt nicht mit der angegebenen überein: Es ist nicht die richtige Datei.</translation>
    </message>
    <message id="Caption_MenuUpdateFromFile">
        <source>Update from a &amp;File…</source>
        <extracomment>File menu: writes an image file of the user's own (one that support sent)</extracomment>
        <translation>Aus &amp;Datei aktualisieren…</translation>
    </message>
    <message id="Caption_LocalImageTitle">
        <source>Update from a file</source>
        <extracomment>Header of the page that shows an image file before it is written</extracomment>
        <translation>Aus Datei aktualisieren</translation>
    </message>
    <message id="Caption_ImageFile">
        <source>File</source>
        <extracomment>Image file page: the file's name follows</extracomment>
        <translation>Datei</translation>
    </message>
    <message id="Caption_ImageSize">
        <source>Size (bytes)</source>
        <extracomment>Image file page: the file's size in bytes follows</extracomment>
        <translation>Größe (Bytes)</translation>
    </message>
    <message id="Caption_DfuSuffix">
        <source>DFU suffix (vendor:product, version)</source>
        <extracomment>Image file page: the ids and release number from the file's DFU suffix follow</extracomment>
        <translation>DFU-Suffix (Hersteller:Produkt, Version)</translation>
    </message>
    <message id="Info_ImagePublished">
        <source>This file is a published firmware:</source>
        <extracomment>Image file page: its MD5 matches the catalogue; version and models follow</extracomment>
        <translation>Diese Datei ist eine veröffentlichte Firmware:</translation>
    </message>
    <message id="Warning_ImageNotPublished">
        <source>This file is not a published firmware: its MD5 matches no version in the catalogue. Write it only if Velt support sent it to you for this device.</source>
        <extracomment>Image file page: the MD5 matches no catalogue version</extracomment>
        <translation>Diese Datei ist keine veröffentlichte Firmware: Ihre MD5-Prüfsumme passt zu keiner Version im Katalog. Schreiben Sie sie nur, wenn der Velt-Support sie Ihnen für dieses Gerät geschickt hat.</translation>
    </message>
    <message id="Caption_SupportSentThisFile">
        <source>Velt support sent me this file for this device</source>
        <extracomment>Image file page: check box the user must tick before Next for a file that is not published</extracomment>
        <translation>Der Velt-Support hat mir diese Datei für dieses Gerät geschickt</translation>
    </message>
</context>
</TS>
