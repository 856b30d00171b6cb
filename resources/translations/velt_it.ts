<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: Apache-2.0 -->
<!-- Glossary: the words GNOME and KDE use in this language; keep to them.
     Next      Avanti
     Back      Indietro
     Quit      Esci
     Finish    Fine
     DFU mode  modalità DFU
     firmware  firmware -->
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name></name>
    <message id="Error_CouldNotRetrieveFirmwareList">
        <source>Could not retrieve the firmware list from the server. Check your internet connection and try again.</source>
        <extracomment>Catalogue fetch failed; followed by ' (code)'</extracomment>
        <translation>Impossibile ottenere l'elenco dei firmware dal server. Controllare la connessione a Internet e riprovare.</translation>
    </message>
    <message id="Error_CouldNotReadFirmwareList">
        <source>The firmware list from the server could not be read.</source>
        <extracomment>Catalogue is not readable; followed by ' (code)'</extracomment>
        <translation>Impossibile leggere l'elenco dei firmware ricevuto dal server.</translation>
    </message>
    <message id="Error_NoFirmwareAvailable">
        <source>No firmware is available for this model.</source>
        <extracomment>The chosen model has no firmware</extracomment>
        <translation>Nessun firmware disponibile per questo modello.</translation>
    </message>
    <message id="Info_NumberOfFirmwareVersionsAvailable">
        <source>Firmware versions available for this model: %d</source>
        <extracomment>Exactly one %d: the number of versions</extracomment>
        <translation>Versioni del firmware disponibili per questo modello: %d</translation>
    </message>
    <message id="Caption_OriginalVersion">
        <source>original</source>
        <extracomment>Shown in parentheses after the first version of a model</extracomment>
        <translation>originale</translation>
    </message>
    <message id="Caption_NewestVersion">
        <source>newest</source>
        <extracomment>Shown in parentheses after the last version of a model</extracomment>
        <translation>più recente</translation>
    </message>
    <message id="Caption_ReleaseDate">
        <source>Release date</source>
        <extracomment>Followed by ': ' and the release date</extracomment>
        <translation>Data di rilascio</translation>
    </message>
    <message id="Error_CodeInconsistency">
        <source>This version is listed for the model but is missing from the firmware list. Choose another version.</source>
        <extracomment>The picked version is missing from the firmware list</extracomment>
        <translation>Questa versione è indicata per il modello ma manca nell'elenco dei firmware. Scegliere un'altra versione.</translation>
    </message>
    <message id="Caption_VersionInfo">
        <source>Firmware version: </source>
        <extracomment>Directly followed by the version name; include any separator</extracomment>
        <translation>Versione del firmware: </translation>
    </message>
    <message id="Info_DownloadingFirmwareFromServer">
        <source>Downloading the firmware from the server…</source>
        <extracomment>Status while the image downloads</extracomment>
        <translation>Scaricamento del firmware dal server…</translation>
    </message>
    <message id="Error_CouldNotDownLoadFirmware">
        <source>Could not download the firmware (HTTP status %d).</source>
        <extracomment>Exactly one %d: the HTTP status code</extracomment>
        <translation>Impossibile scaricare il firmware (stato HTTP %d).</translation>
    </message>
    <message id="Error_FileHashDoesNotMatch">
        <source>The downloaded firmware is damaged: its checksum does not match. Please try again.</source>
        <extracomment>MD5 of the download differs from the firmware list</extracomment>
        <translation>Il firmware scaricato è danneggiato: la somma di controllo non corrisponde. Riprovare.</translation>
    </message>
    <message id="Info_Preparing">
        <source>Firmware verified. Preparing to write it to the device…</source>
        <extracomment>Image verified; flashing starts shortly</extracomment>
        <translation>Firmware verificato. Preparazione della scrittura sul dispositivo…</translation>
    </message>
    <message id="Description_DFUMode">
        <source>The device could not be found in DFU mode. Put it into DFU mode, connect it, and try again.</source>
        <extracomment>The device is not in DFU mode</extracomment>
        <translation>Il dispositivo non è stato trovato in modalità DFU. Metterlo in modalità DFU, collegarlo e riprovare.</translation>
    </message>
    <message id="Error_FailedToGetStatus">
        <source>The device stopped responding while the firmware was being written. Reconnect it in DFU mode and try again.</source>
        <extracomment>The device stopped answering status requests</extracomment>
        <translation>Il dispositivo ha smesso di rispondere durante la scrittura del firmware. Ricollegarlo in modalità DFU e riprovare.</translation>
    </message>
    <message id="Info_Writing">
        <source>Writing the firmware to the device. Do not disconnect it…</source>
        <extracomment>Status while the device is written</extracomment>
        <translation>Scrittura del firmware sul dispositivo. Non scollegarlo…</translation>
    </message>
    <message id="Info_Finishing">
        <source>Finishing…</source>
        <extracomment>Status once more than 99 per cent is written</extracomment>
        <translation>Completamento…</translation>
    </message>
    <message id="Info_TimeLeftSeconds" numerus="yes">
        <source>About %n seconds left</source>
        <extracomment>Beside the progress bar while downloading or writing; %n is a multiple of 5 under 60</extracomment>
        <translation>
            <numerusform>Circa %n secondo rimanente</numerusform>
            <numerusform>Circa %n secondi rimanenti</numerusform>
        </translation>
    </message>
    <message id="Info_TimeLeftMinutes" numerus="yes">
        <source>About %n minutes left</source>
        <extracomment>Beside the progress bar while downloading or writing; %n whole minutes</extracomment>
        <translation>
            <numerusform>Circa %n minuto rimanente</numerusform>
            <numerusform>Circa %n minuti rimanenti</numerusform>
        </translation>
    </message>
    <message id="Info_DeviceInstalling">
        <source>The device is installing the firmware. Keep it connected.</source>
        <extracomment>Beside the progress bar once the device has the whole image and applies it</extracomment>
        <translation>Il dispositivo sta installando il firmware. Lasciarlo collegato.</translation>
    </message>
    <message id="Info_WriteSucceeded">
        <source>The firmware was updated successfully. You can now disconnect the device.</source>
        <extracomment>The update succeeded</extracomment>
        <translation>Il firmware è stato aggiornato correttamente. Ora è possibile scollegare il dispositivo.</translation>
    </message>
    <message id="ButtonCaption_Finish">
        <source>Finish</source>
        <extracomment>Button that quits after success</extracomment>
        <translation>Fine</translation>
    </message>
    <message id="Error_Generic">
        <source>The update failed.</source>
        <extracomment>Status text after any failure</extracomment>
        <translation>Aggiornamento non riuscito.</translation>
    </message>
    <message id="Error_FlashingToolUnavailable">
        <source>The firmware writing tool could not be started. Please reinstall Velt Firmware Updater.</source>
        <extracomment>The bundled flashing tool is missing or cannot be started</extracomment>
        <translation>Impossibile avviare lo strumento di scrittura del firmware. Reinstallare Velt Firmware Updater.</translation>
    </message>
    <message id="Error_DownloadIncomplete">
        <source>The download ended before the whole firmware file arrived. Check your internet connection and try again.</source>
        <extracomment>The connection ended before the whole firmware file arrived</extracomment>
        <translation>Lo scaricamento si è interrotto prima di ricevere l'intero file del firmware. Controllare la connessione a Internet e riprovare.</translation>
    </message>
    <message id="Error_DownloadFailed">
        <source>The firmware could not be downloaded. Check your internet connection and try again.</source>
        <extracomment>The image download failed at the network level; the network library's own text goes behind the details</extracomment>
        <translation>Impossibile scaricare il firmware. Verificare la connessione a Internet e riprovare.</translation>
    </message>
    <message id="Error_DownloadTimedOut">
        <source>The firmware server stopped answering. Check your internet connection and try again.</source>
        <extracomment>The download of the firmware file timed out</extracomment>
        <translation>Il server del firmware ha smesso di rispondere. Controllare la connessione a Internet e riprovare.</translation>
    </message>
    <message id="Error_FirmwareTooLarge">
        <source>The firmware file offered by the server is too large (over 256 MiB) and was refused.</source>
        <extracomment>The server offered a file over 256 MiB</extracomment>
        <translation>Il file del firmware offerto dal server è troppo grande (oltre 256 MiB) ed è stato rifiutato.</translation>
    </message>
    <message id="Error_NoFirmwareSelected">
        <source>No firmware version has been chosen. Go back and choose one.</source>
        <extracomment>The update page was reached without a chosen version</extracomment>
        <translation>Non è stata scelta alcuna versione del firmware. Tornare indietro e sceglierne una.</translation>
    </message>
    <message id="Error_InvalidDownloadAddress">
        <source>The download address of this firmware is invalid.</source>
        <extracomment>The firmware's download address cannot be formed</extracomment>
        <translation>L'indirizzo di scaricamento di questo firmware non è valido.</translation>
    </message>
    <message id="Error_NoDocumentsFolder">
        <source>Your Documents folder could not be found or created.</source>
        <extracomment>No Documents folder to store the image</extracomment>
        <translation>Impossibile trovare o creare la cartella Documenti.</translation>
    </message>
    <message id="Error_CouldNotSaveFirmware">
        <source>The firmware could not be saved to your Documents folder.</source>
        <extracomment>Writing the image file failed; the system's reason follows</extracomment>
        <translation>Impossibile salvare il firmware nella cartella Documenti.</translation>
    </message>
    <message id="Caption_MenuFile">
        <source>&amp;File</source>
        <extracomment>Menu title; &amp; marks the access key</extracomment>
        <translation>&amp;File</translation>
    </message>
    <message id="Caption_MenuQuit">
        <source>&amp;Quit</source>
        <extracomment>Menu command that quits the application</extracomment>
        <translation>&amp;Esci</translation>
    </message>
    <message id="Caption_MenuHelp">
        <source>&amp;Help</source>
        <extracomment>Menu title; &amp; marks the access key</extracomment>
        <translation>&amp;Aiuto</translation>
    </message>
    <message id="Caption_MenuAbout">
        <source>&amp;About Velt Firmware Updater</source>
        <extracomment>Menu command showing the About box</extracomment>
        <translation>I&amp;nformazioni su Velt Firmware Updater</translation>
    </message>
    <message id="Caption_AboutVersion">
        <source>Version</source>
        <extracomment>About box; followed by a space and the version number</extracomment>
        <translation>Versione</translation>
    </message>
    <message id="Description_About">
        <source>Updates the firmware of Velt USB audio devices.</source>
        <extracomment>About box description</extracomment>
        <translation>Aggiorna il firmware dei dispositivi audio USB Velt.</translation>
    </message>
    <message id="Caption_IntroTitle">
        <source>Welcome to Velt Firmware Updater</source>
        <extracomment>Header of the first page</extracomment>
        <translation>Benvenuti in Velt Firmware Updater</translation>
    </message>
    <message id="Description_Intro">
        <source>This assistant installs new firmware on your Velt USB audio device. You choose your device model and a firmware version and put the device into DFU mode; the updater then downloads the firmware and writes it to the device.

The list of available firmware is loaded from the Velt server when this page opens. Click Next as soon as it becomes available.</source>
        <extracomment>Explanation on the first page</extracomment>
        <translation>Questo assistente installa un nuovo firmware sul dispositivo audio USB Velt. Si sceglie il modello del dispositivo e una versione del firmware e si mette il dispositivo in modalità DFU; il programma scarica quindi il firmware e lo scrive sul dispositivo.

L'elenco dei firmware disponibili viene caricato dal server Velt all'apertura di questa pagina. Fare clic su «Avanti» non appena diventa disponibile.</translation>
    </message>
    <message id="Caption_SelectModelTitle">
        <source>Choose your device model</source>
        <extracomment>Header of the model page</extracomment>
        <translation>Scegliere il modello del dispositivo</translation>
    </message>
    <message id="Description_SelectModel">
        <source>Select the model of the device you want to update.</source>
        <extracomment>Explanation on the model page</extracomment>
        <translation>Selezionare il modello del dispositivo da aggiornare.</translation>
    </message>
    <message id="Caption_Model">
        <source>Model:</source>
        <extracomment>Label before the model list</extracomment>
        <translation>Modello:</translation>
    </message>
    <message id="Caption_SelectVersionTitle">
        <source>Choose a firmware version</source>
        <extracomment>Header of the version page</extracomment>
        <translation>Scegliere una versione del firmware</translation>
    </message>
    <message id="Description_SelectVersion">
        <source>The newest version is selected. You can choose an earlier version instead, for example to return to one you used before.</source>
        <extracomment>Explanation on the version page</extracomment>
        <translation>È selezionata la versione più recente. È possibile sceglierne una precedente, ad esempio per tornare a una usata in passato.</translation>
    </message>
    <message id="Caption_Version">
        <source>Version:</source>
        <extracomment>Label before the version list</extracomment>
        <translation>Versione:</translation>
    </message>
    <message id="Caption_DFUSetupTitle">
        <source>Put the device into DFU mode</source>
        <extracomment>Header of the DFU instructions page</extracomment>
        <translation>Mettere il dispositivo in modalità DFU</translation>
    </message>
    <message id="Description_DFUSetup">
        <source>To receive new firmware, the device must be in DFU (Device Firmware Upgrade) mode:

1. Switch the device off and disconnect its USB cable.
2. Press and hold the device's DFU button (your device's manual shows where it is).
3. While holding the button, connect the device to this computer with the USB cable.
4. Release the button when the status light starts blinking. The device is now in DFU mode.

Click Next to start the update. Keep the device connected until the update has finished.</source>
        <extracomment>Step-by-step instructions for entering DFU mode</extracomment>
        <translation>Per ricevere un nuovo firmware, il dispositivo deve essere in modalità DFU (Device Firmware Upgrade):

1. Spegnere il dispositivo e scollegarne il cavo USB.
2. Tenere premuto il pulsante DFU del dispositivo (il manuale del dispositivo ne indica la posizione).
3. Tenendo premuto il pulsante, collegare il dispositivo a questo computer con il cavo USB.
4. Rilasciare il pulsante quando la spia di stato inizia a lampeggiare. Ora il dispositivo è in modalità DFU.

Fare clic su «Avanti» per avviare l'aggiornamento. Tenere il dispositivo collegato fino al termine dell'aggiornamento.</translation>
    </message>
    <message id="Caption_UpdateTitle">
        <source>Updating the firmware</source>
        <extracomment>Header of the update page</extracomment>
        <translation>Aggiornamento del firmware</translation>
    </message>
    <message id="Description_UpdateNotice">
        <source>Keep the device connected and switched on until the update has finished. The updater cannot be closed while the firmware is being written.</source>
        <extracomment>Notice on the update page</extracomment>
        <translation>Tenere il dispositivo collegato e acceso fino al termine dell'aggiornamento. Il programma non può essere chiuso durante la scrittura del firmware.</translation>
    </message>
    <message id="ButtonCaption_Next">
        <source>Next</source>
        <extracomment>Button to the next page</extracomment>
        <translation>Avanti</translation>
    </message>
    <message id="ButtonCaption_Back">
        <source>Back</source>
        <extracomment>Button back to the previous page</extracomment>
        <translation>Indietro</translation>
    </message>
    <message id="Caption_AccessibleModelList">
        <source>Device model</source>
        <extracomment>Accessible name of the model list</extracomment>
        <translation>Modello del dispositivo</translation>
    </message>
    <message id="Caption_AccessibleMessages">
        <source>Messages</source>
        <extracomment>Accessible name of the model page's message area</extracomment>
        <translation>Messaggi</translation>
    </message>
    <message id="Caption_AccessibleVersionList">
        <source>Firmware version</source>
        <extracomment>Accessible name of the version list</extracomment>
        <translation>Versione del firmware</translation>
    </message>
    <message id="Caption_AccessibleVersionInfo">
        <source>Version information</source>
        <extracomment>Accessible name of the version page's information area</extracomment>
        <translation>Informazioni sulla versione</translation>
    </message>
    <message id="Caption_AccessibleInstructions">
        <source>Instructions</source>
        <extracomment>Accessible name of the DFU instructions</extracomment>
        <translation>Istruzioni</translation>
    </message>
    <message id="Caption_AccessibleImageDetails">
        <source>File details</source>
        <extracomment>Accessible name of the local file page's area with the file's name, size, DFU suffix and MD5</extracomment>
        <translation>Dettagli del file</translation>
    </message>
    <message id="Caption_AccessibleProgress">
        <source>Update progress</source>
        <extracomment>Accessible name of the progress bar</extracomment>
        <translation>Avanzamento dell'aggiornamento</translation>
    </message>
    <message id="Caption_AccessibleStatus">
        <source>Update status</source>
        <extracomment>Accessible name of the update page's status area</extracomment>
        <translation>Stato dell'aggiornamento</translation>
    </message>
    <message id="Error_FlashingToolFailed">
        <source>Writing the firmware failed (exit status %d), and the writing tool gave no reason. Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool failed without a readable reason; %d is its exit status</extracomment>
        <translation>Scrittura del firmware non riuscita (stato di uscita %d); lo strumento di scrittura non ha indicato il motivo. Ricollegare il dispositivo in modalità DFU e riprovare.</translation>
    </message>
    <message id="Error_FlashingToolStopped">
        <source>The writing tool stopped unexpectedly (signal %d). Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool was ended by a signal (it crashed or was killed); %d is the signal number</extracomment>
        <translation>Lo strumento di scrittura si è arrestato in modo imprevisto (segnale %d). Ricollegare il dispositivo in modalità DFU e riprovare.</translation>
    </message>
    <message id="Caption_MenuCopyDiagnostics">
        <source>&amp;Copy Diagnostics</source>
        <extracomment>Help menu: copies this run's diagnostic lines to the clipboard for a support request</extracomment>
        <translation>&amp;Copia diagnostica</translation>
    </message>
    <message id="Caption_MenuOpenLogFolder">
        <source>Open &amp;Log Folder</source>
        <extracomment>Help menu: opens the folder that keeps the diagnostics log</extracomment>
        <translation>Apri cartella dei &amp;registri</translation>
    </message>
    <message id="Info_DeviceConnected">
        <source>A device in DFU mode is connected.</source>
        <extracomment>DFU setup page status: the device in DFU mode is present</extracomment>
        <translation>È collegato un dispositivo in modalità DFU.</translation>
    </message>
    <message id="Info_DeviceNotFound">
        <source>No device in DFU mode found yet. Connect it with its USB cable and put it into DFU mode as shown above.</source>
        <extracomment>DFU setup page status: no device in DFU mode; one line with a hint</extracomment>
        <translation>Ancora nessun dispositivo in modalità DFU. Collegarlo con il cavo USB e metterlo in modalità DFU come indicato sopra.</translation>
    </message>
    <message id="Info_DeviceSeveral">
        <source>Connect only the device you want to update.</source>
        <extracomment>DFU setup page status and alert: more than one device in DFU mode is connected</extracomment>
        <translation>Collegare solo il dispositivo da aggiornare.</translation>
    </message>
    <message id="Info_DeviceDeniedReconnect">
        <source>You are not allowed to use the device yet. Unplug it and connect it again.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device although the udev rule is installed, local session</extracomment>
        <translation>Non si dispone ancora dell’autorizzazione a usare il dispositivo. Scollegarlo e ricollegarlo.</translation>
    </message>
    <message id="Info_DeviceDeniedRemote">
        <source>This session is not at the computer's own screen and keyboard, so it may not use the device. Sign in at the computer, or ask the administrator to add the group rule described in the README.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device in a session that is not at the local seat (e.g. over SSH)</extracomment>
        <translation>Questa sessione non è sullo schermo e sulla tastiera del computer, quindi non può usare il dispositivo. Accedere dal computer o chiedere all’amministratore di aggiungere la regola di gruppo descritta nel README.</translation>
    </message>
    <message id="Info_DeviceDeniedNoRule">
        <source>You are not allowed to use the device. Install the rule file 70-velt-dfu.rules in /etc/udev/rules.d, then unplug the device and connect it again.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device and the udev rule is not installed; names the file</extracomment>
        <translation>Non si dispone dell’autorizzazione a usare il dispositivo. Installare il file di regole 70-velt-dfu.rules in /etc/udev/rules.d, quindi scollegare e ricollegare il dispositivo.</translation>
    </message>
    <message id="Info_DeviceBusy">
        <source>Another program is using the device. Close that program, then try again.</source>
        <extracomment>DFU setup page status and alert: another program holds the device</extracomment>
        <translation>Un altro programma sta usando il dispositivo. Chiudere quel programma e riprovare.</translation>
    </message>
    <message id="Description_InhibitSleep">
        <source>Firmware is being written to the device; interrupting it could leave the device unusable.</source>
        <extracomment>Shown by the desktop when the user tries to suspend or shut down while the device is written</extracomment>
        <translation>È in corso la scrittura del firmware sul dispositivo; interromperla potrebbe renderlo inutilizzabile.</translation>
    </message>
    <message id="Error_CouldNotOpenLogFolder">
        <source>The log folder could not be opened. Its path is in the details.</source>
        <extracomment>Help menu: the file manager could not show the log folder; the folder's path follows behind the details button</extracomment>
        <translation>Impossibile aprire la cartella dei registri. Il percorso è indicato nei dettagli.</translation>
    </message>
    <message id="Error_AlreadyRunning">
        <source>Velt Firmware Updater is already running. Use the window that is open, or quit it before starting the updater again.</source>
        <extracomment>A second start of the application while one instance runs for this user; it ends after this alert</extracomment>
        <translation>Velt Firmware Updater è già in esecuzione. Usare la finestra aperta oppure uscire dal programma prima di riavviarlo.</translation>
    </message>
    <message id="Error_FlashingToolNotResponding">
        <source>The firmware writing tool stopped responding and was ended. Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool printed nothing for minutes and was stopped</extracomment>
        <translation>Lo strumento di scrittura del firmware ha smesso di rispondere ed è stato terminato. Ricollegare il dispositivo in modalità DFU e riprovare.</translation>
    </message>
    <message id="Error_DownloadTooManyRedirects">
        <source>The firmware server redirected the download too many times.</source>
        <extracomment>The image download was redirected more than 50 times (a loop on the server)</extracomment>
        <translation>Il server del firmware ha reindirizzato lo scaricamento troppe volte.</translation>
    </message>
    <message id="Error_DownloadRedirectRefused">
        <source>The firmware server sent the download to an address that is not allowed.</source>
        <extracomment>The server redirected the image download to an address the updater does not trust; the reason follows</extracomment>
        <translation>Il server del firmware ha reindirizzato lo scaricamento a un indirizzo non consentito.</translation>
    </message>
    <message id="Error_DeviceDidNotAnswer">
        <source>The device did not answer, so no firmware was written. Reconnect it in DFU mode and try again.</source>
        <extracomment>Five attempts ended before any firmware was written: the device never answered</extracomment>
        <translation>Il dispositivo non ha risposto, quindi non è stato scritto alcun firmware. Ricollegarlo in modalità DFU e riprovare.</translation>
    </message>
    <message id="Caption_TimeLeft">
        <source>time left</source>
        <extracomment>Command line progress: label before the remaining time (m:ss)</extracomment>
        <translation>tempo rimanente</translation>
    </message>
    <message id="Info_Cancelled">
        <source>Cancelled. Nothing was written to the device.</source>
        <extracomment>Command line: Ctrl-C or a declined confirmation ended the update before the device was written</extracomment>
        <translation>Annullato. Non è stato scritto nulla sul dispositivo.</translation>
    </message>
    <message id="Prompt_ConfirmWrite">
        <source>Write this firmware into the device? [y/N]</source>
        <extracomment>Command line: asks before writing; y or yes confirms</extracomment>
        <translation>Scrivere questo firmware sul dispositivo? [y/N]</translation>
    </message>
    <message id="Caption_FirmwareToWrite">
        <source>Firmware to write:</source>
        <extracomment>Command line: heading above the model, version, file and MD5 about to be written</extracomment>
        <translation>Firmware da scrivere:</translation>
    </message>
    <message id="Error_ConfirmationNeeded">
        <source>Nothing was written: the update was not confirmed. Add --yes when the updater does not run in a terminal.</source>
        <extracomment>Command line: standard input is not a terminal and --yes was not given</extracomment>
        <translation>Non è stato scritto nulla: l'aggiornamento non è stato confermato. Aggiungere --yes se il programma non è eseguito in un terminale.</translation>
    </message>
    <message id="Description_CommandLineDFUSetup">
        <source>Put the device into DFU mode:

1. Switch the device off and disconnect its USB cable.
2. Press and hold the device's DFU button (your device's manual shows where it is).
3. While holding the button, connect the device to this computer with the USB cable.
4. Release the button when the status light starts blinking.

The update starts as soon as the device is found. Keep it connected until the update has finished.</source>
        <extracomment>Command line: DFU mode instructions printed before waiting for the device</extracomment>
        <translation>Mettere il dispositivo in modalità DFU:

1. Spegnere il dispositivo e scollegarne il cavo USB.
2. Tenere premuto il pulsante DFU del dispositivo (il manuale del dispositivo ne indica la posizione).
3. Tenendo premuto il pulsante, collegare il dispositivo a questo computer con il cavo USB.
4. Rilasciare il pulsante quando la spia di stato inizia a lampeggiare.

L'aggiornamento inizia non appena il dispositivo viene rilevato. Tenerlo collegato fino al termine dell'aggiornamento.</translation>
    </message>
    <message id="Error_DeviceStateUnknown">
        <source>Whether a device in DFU mode is connected could not be found out.</source>
        <extracomment>Command line: the device watch gave no usable answer</extracomment>
        <translation>Impossibile determinare se è collegato un dispositivo in modalità DFU.</translation>
    </message>
    <message id="Info_QuitRefusedWhileWriting">
        <source>The device is being written and must not be interrupted. The updater ends when the write has finished.</source>
        <extracomment>Ctrl-C or a termination signal while the device is written: refused</extracomment>
        <translation>È in corso la scrittura sul dispositivo, che non deve essere interrotta. Il programma terminerà al termine della scrittura.</translation>
    </message>
    <message id="Error_UnknownModel">
        <source>The catalogue has no model of this name:</source>
        <extracomment>Command line: --update names an unknown model; the name follows</extracomment>
        <translation>Il catalogo non contiene alcun modello con questo nome:</translation>
    </message>
    <message id="Error_UnknownVersion">
        <source>The catalogue has no version of this name for the model:</source>
        <extracomment>Command line: --version names an unknown version; the name follows</extracomment>
        <translation>Il catalogo non contiene alcuna versione con questo nome per il modello:</translation>
    </message>
    <message id="Error_CommandLineOneAction">
        <source>Give only one of --list, --update and --file.</source>
        <extracomment>Command line usage error</extracomment>
        <translation>Indicare solo una delle opzioni --list, --update e --file.</translation>
    </message>
    <message id="Error_CommandLineMd5Required">
        <source>--file needs --md5 with the file's MD5 digest (32 hexadecimal digits) as support sent it: the digest proves that the file is the intended one.</source>
        <extracomment>Command line usage error: --md5 missing or not a digest</extracomment>
        <translation>--file richiede --md5 con l'impronta MD5 del file (32 cifre esadecimali) così come inviata dall'assistenza: l'impronta dimostra che è il file previsto.</translation>
    </message>
    <message id="Error_CommandLineBadWait">
        <source>--wait needs a number of seconds, 0 or more.</source>
        <extracomment>Command line usage error</extracomment>
        <translation>--wait richiede un numero di secondi, 0 o più.</translation>
    </message>
    <message id="Error_ImageUnreadable">
        <source>The image file cannot be read.</source>
        <extracomment>Image file check: the file cannot be opened or is not a regular file</extracomment>
        <translation>Impossibile leggere il file immagine.</translation>
    </message>
    <message id="Error_ImageTooLarge">
        <source>The image file is larger than 256 MiB, too large for firmware.</source>
        <extracomment>Image file check: size</extracomment>
        <translation>Il file immagine supera i 256 MiB: è troppo grande per un firmware.</translation>
    </message>
    <message id="Error_ImageEmpty">
        <source>The image file holds no firmware: its content is empty.</source>
        <extracomment>Image file check: no payload before the DFU suffix</extracomment>
        <translation>Il file immagine non contiene firmware: il contenuto è vuoto.</translation>
    </message>
    <message id="Error_ImageNoSuffix">
        <source>The image file is not a DFU file: it has no DFU suffix.</source>
        <extracomment>Image file check: the file does not end in a DFU suffix</extracomment>
        <translation>Il file immagine non è un file DFU: non ha il suffisso DFU.</translation>
    </message>
    <message id="Error_ImageBadSuffix">
        <source>The image file is damaged: its DFU suffix or checksum (CRC) is wrong.</source>
        <extracomment>Image file check: suffix length or CRC wrong</extracomment>
        <translation>Il file immagine è danneggiato: il suffisso DFU o la somma di controllo (CRC) è errato.</translation>
    </message>
    <message id="Error_ImageWrongDevice">
        <source>The image file is made for another device: its DFU vendor and product ids are not those of the Velt device.</source>
        <extracomment>Image file check: the suffix names other USB ids</extracomment>
        <translation>Il file immagine è destinato a un altro dispositivo: gli ID DFU di produttore e prodotto non sono quelli del dispositivo Velt.</translation>
    </message>
    <message id="Error_ImageDigestMismatch">
        <source>The image file's MD5 digest is not the one given: it is not the intended file.</source>
        <extracomment>Image file check: MD5 differs from --md5</extracomment>
        <translation>L'impronta MD5 del file immagine non corrisponde a quella indicata: non è il file previsto.</translation>
    </message>
    <message id="Caption_MenuUpdateFromFile">
        <source>Update from a &amp;File…</source>
        <extracomment>File menu: writes an image file of the user's own (one that support sent)</extracomment>
        <translation>Aggiorna da &amp;file…</translation>
    </message>
    <message id="Caption_LocalImageTitle">
        <source>Update from a file</source>
        <extracomment>Header of the page that shows an image file before it is written</extracomment>
        <translation>Aggiornamento da file</translation>
    </message>
    <message id="Caption_ImageFile">
        <source>File</source>
        <extracomment>Image file page: the file's name follows</extracomment>
        <translation>File</translation>
    </message>
    <message id="Caption_ImageSize">
        <source>Size (bytes)</source>
        <extracomment>Image file page: the file's size in bytes follows</extracomment>
        <translation>Dimensione (byte)</translation>
    </message>
    <message id="Caption_DfuSuffix">
        <source>DFU suffix (vendor:product, version)</source>
        <extracomment>Image file page: the ids and release number from the file's DFU suffix follow</extracomment>
        <translation>Suffisso DFU (produttore:prodotto, versione)</translation>
    </message>
    <message id="Info_ImagePublished">
        <source>This file is a published firmware:</source>
        <extracomment>Image file page: its MD5 matches the catalogue; version and models follow</extracomment>
        <translation>Questo file è un firmware pubblicato:</translation>
    </message>
    <message id="Warning_ImageNotPublished">
        <source>This file is not a published firmware: its MD5 matches no version in the catalogue. Write it only if Velt support sent it to you for this device.</source>
        <extracomment>Image file page: the MD5 matches no catalogue version</extracomment>
        <translation>Questo file non è un firmware pubblicato: il suo MD5 non corrisponde ad alcuna versione del catalogo. Scriverlo solo se l'assistenza Velt lo ha inviato per questo dispositivo.</translation>
    </message>
    <message id="Caption_SupportSentThisFile">
        <source>Velt support sent me this file for this device</source>
        <extracomment>Image file page: check box the user must tick before Next for a file that is not published</extracomment>
        <translation>L'assistenza Velt mi ha inviato questo file per questo dispositivo</translation>
    </message>
</context>
</TS>
