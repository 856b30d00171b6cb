<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: Apache-2.0 -->
<!-- Glossary: the words GNOME and KDE use in this language; keep to them.
     Next      Suivant
     Back      Précédent
     Quit      Quitter
     Finish    Terminer
     DFU mode  mode DFU
     firmware  micrologiciel -->
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name></name>
    <message id="Error_CouldNotRetrieveFirmwareList">
        <source>Could not retrieve the firmware list from the server. Check your internet connection and try again.</source>
        <extracomment>Catalogue fetch failed; followed by ' (code)'</extracomment>
        <translation>Impossible de récupérer la liste des micrologiciels sur le serveur. Vérifiez votre connexion Internet et réessayez.</translation>
    </message>
    <message id="Error_CouldNotReadFirmwareList">
        <source>The firmware list from the server could not be read.</source>
        <extracomment>Catalogue is not readable; followed by ' (code)'</extracomment>
        <translation>La liste des micrologiciels reçue du serveur est illisible.</translation>
    </message>
    <message id="Error_NoFirmwareAvailable">
        <source>No firmware is available for this model.</source>
        <extracomment>The chosen model has no firmware</extracomment>
        <translation>Aucun micrologiciel n’est disponible pour ce modèle.</translation>
    </message>
    <message id="Info_NumberOfFirmwareVersionsAvailable">
        <source>Firmware versions available for this model: %d</source>
        <extracomment>Exactly one %d: the number of versions</extracomment>
        <translation>Versions du micrologiciel disponibles pour ce modèle : %d</translation>
    </message>
    <message id="Caption_OriginalVersion">
        <source>original</source>
        <extracomment>Shown in parentheses after the first version of a model</extracomment>
        <translation>d’origine</translation>
    </message>
    <message id="Caption_NewestVersion">
        <source>newest</source>
        <extracomment>Shown in parentheses after the last version of a model</extracomment>
        <translation>la plus récente</translation>
    </message>
    <message id="Caption_ReleaseDate">
        <source>Release date</source>
        <extracomment>Followed by ': ' and the release date</extracomment>
        <translation>Date de publication</translation>
    </message>
    <message id="Error_CodeInconsistency">
        <source>This version is listed for the model but is missing from the firmware list. Choose another version.</source>
        <extracomment>The picked version is missing from the firmware list</extracomment>
        <translation>Cette version est indiquée pour le modèle mais absente de la liste des micrologiciels. Choisissez une autre version.</translation>
    </message>
    <message id="Caption_VersionInfo">
        <source>Firmware version: </source>
        <extracomment>Directly followed by the version name; include any separator</extracomment>
        <translation>Version du micrologiciel : </translation>
    </message>
    <message id="Info_DownloadingFirmwareFromServer">
        <source>Downloading the firmware from the server…</source>
        <extracomment>Status while the image downloads</extracomment>
        <translation>Téléchargement du micrologiciel depuis le serveur…</translation>
    </message>
    <message id="Error_CouldNotDownLoadFirmware">
        <source>Could not download the firmware (HTTP status %d).</source>
        <extracomment>Exactly one %d: the HTTP status code</extracomment>
        <translation>Impossible de télécharger le micrologiciel (code HTTP %d).</translation>
    </message>
    <message id="Error_FileHashDoesNotMatch">
        <source>The downloaded firmware is damaged: its checksum does not match. Please try again.</source>
        <extracomment>MD5 of the download differs from the firmware list</extracomment>
        <translation>Le micrologiciel téléchargé est endommagé : sa somme de contrôle ne correspond pas. Veuillez réessayer.</translation>
    </message>
    <message id="Info_Preparing">
        <source>Firmware verified. Preparing to write it to the device…</source>
        <extracomment>Image verified; flashing starts shortly</extracomment>
        <translation>Micrologiciel vérifié. Préparation de l’écriture sur l’appareil…</translation>
    </message>
    <message id="Description_DFUMode">
        <source>The device could not be found in DFU mode. Put it into DFU mode, connect it, and try again.</source>
        <extracomment>The device is not in DFU mode</extracomment>
        <translation>L’appareil est introuvable en mode DFU. Mettez-le en mode DFU, connectez-le et réessayez.</translation>
    </message>
    <message id="Error_FailedToGetStatus">
        <source>The device stopped responding while the firmware was being written. Reconnect it in DFU mode and try again.</source>
        <extracomment>The device stopped answering status requests</extracomment>
        <translation>L’appareil a cessé de répondre pendant l’écriture du micrologiciel. Reconnectez-le en mode DFU et réessayez.</translation>
    </message>
    <message id="Info_Writing">
        <source>Writing the firmware to the device. Do not disconnect it…</source>
        <extracomment>Status while the device is written</extracomment>
        <translation>Écriture du micrologiciel sur l’appareil. Ne le déconnectez pas…</translation>
    </message>
    <message id="Info_Finishing">
        <source>Finishing…</source>
        <extracomment>Status once more than 99 per cent is written</extracomment>
        <translation>Finalisation…</translation>
    </message>
    <message id="Info_TimeLeftSeconds" numerus="yes">
        <source>About %n seconds left</source>
        <extracomment>Beside the progress bar while downloading or writing; %n is a multiple of 5 under 60</extracomment>
        <translation>
            <numerusform>Environ %n seconde restante</numerusform>
            <numerusform>Environ %n secondes restantes</numerusform>
        </translation>
    </message>
    <message id="Info_TimeLeftMinutes" numerus="yes">
        <source>About %n minutes left</source>
        <extracomment>Beside the progress bar while downloading or writing; %n whole minutes</extracomment>
        <translation>
            <numerusform>Environ %n minute restante</numerusform>
            <numerusform>Environ %n minutes restantes</numerusform>
        </translation>
    </message>
    <message id="Info_DeviceInstalling">
        <source>The device is installing the firmware. Keep it connected.</source>
        <extracomment>Beside the progress bar once the device has the whole image and applies it</extracomment>
        <translation>L’appareil installe le micrologiciel. Laissez-le connecté.</translation>
    </message>
    <message id="Info_WriteSucceeded">
        <source>The firmware was updated successfully. You can now disconnect the device.</source>
        <extracomment>The update succeeded</extracomment>
        <translation>Le micrologiciel a bien été mis à jour. Vous pouvez maintenant déconnecter l’appareil.</translation>
    </message>
    <message id="ButtonCaption_Finish">
        <source>Finish</source>
        <extracomment>Button that quits after success</extracomment>
        <translation>Terminer</translation>
    </message>
    <message id="Error_Generic">
        <source>The update failed.</source>
        <extracomment>Status text after any failure</extracomment>
        <translation>La mise à jour a échoué.</translation>
    </message>
    <message id="Error_FlashingToolUnavailable">
        <source>The firmware writing tool could not be started. Please reinstall Velt Firmware Updater.</source>
        <extracomment>The bundled flashing tool is missing or cannot be started</extracomment>
        <translation>Impossible de lancer l’outil d’écriture du micrologiciel. Veuillez réinstaller Velt Firmware Updater.</translation>
    </message>
    <message id="Error_DownloadIncomplete">
        <source>The download ended before the whole firmware file arrived. Check your internet connection and try again.</source>
        <extracomment>The connection ended before the whole firmware file arrived</extracomment>
        <translation>Le téléchargement s’est arrêté avant la réception complète du micrologiciel. Vérifiez votre connexion Internet et réessayez.</translation>
    </message>
    <message id="Error_DownloadFailed">
        <source>The firmware could not be downloaded. Check your internet connection and try again.</source>
        <extracomment>The image download failed at the network level; the network library's own text goes behind the details</extracomment>
        <translation>Le micrologiciel n’a pas pu être téléchargé. Vérifiez votre connexion Internet et réessayez.</translation>
    </message>
    <message id="Error_DownloadTimedOut">
        <source>The firmware server stopped answering. Check your internet connection and try again.</source>
        <extracomment>The download of the firmware file timed out</extracomment>
        <translation>Le serveur de micrologiciels ne répond plus. Vérifiez votre connexion Internet et réessayez.</translation>
    </message>
    <message id="Error_FirmwareTooLarge">
        <source>The firmware file offered by the server is too large (over 256 MiB) and was refused.</source>
        <extracomment>The server offered a file over 256 MiB</extracomment>
        <translation>Le fichier de micrologiciel proposé par le serveur est trop volumineux (plus de 256 Mio) et a été refusé.</translation>
    </message>
    <message id="Error_NoFirmwareSelected">
        <source>No firmware version has been chosen. Go back and choose one.</source>
        <extracomment>The update page was reached without a chosen version</extracomment>
        <translation>Aucune version du micrologiciel n’a été choisie. Revenez en arrière et choisissez-en une.</translation>
    </message>
    <message id="Error_InvalidDownloadAddress">
        <source>The download address of this firmware is invalid.</source>
        <extracomment>The firmware's download address cannot be formed</extracomment>
        <translation>L’adresse de téléchargement de ce micrologiciel n’est pas valide.</translation>
    </message>
    <message id="Error_NoDocumentsFolder">
        <source>Your Documents folder could not be found or created.</source>
        <extracomment>No Documents folder to store the image</extracomment>
        <translation>Votre dossier Documents est introuvable ou n’a pas pu être créé.</translation>
    </message>
    <message id="Error_CouldNotSaveFirmware">
        <source>The firmware could not be saved to your Documents folder.</source>
        <extracomment>Writing the image file failed; the system's reason follows</extracomment>
        <translation>Impossible d’enregistrer le micrologiciel dans votre dossier Documents.</translation>
    </message>
    <message id="Caption_MenuFile">
        <source>&amp;File</source>
        <extracomment>Menu title; &amp; marks the access key</extracomment>
        <translation>&amp;Fichier</translation>
    </message>
    <message id="Caption_MenuQuit">
        <source>&amp;Quit</source>
        <extracomment>Menu command that quits the application</extracomment>
        <translation>&amp;Quitter</translation>
    </message>
    <message id="Caption_MenuHelp">
        <source>&amp;Help</source>
        <extracomment>Menu title; &amp; marks the access key</extracomment>
        <translation>&amp;Aide</translation>
    </message>
    <message id="Caption_MenuAbout">
        <source>&amp;About Velt Firmware Updater</source>
        <extracomment>Menu command showing the About box</extracomment>
        <translation>À &amp;propos de Velt Firmware Updater</translation>
    </message>
    <message id="Caption_AboutVersion">
        <source>Version</source>
        <extracomment>About box; followed by a space and the version number</extracomment>
        <translation>Version</translation>
    </message>
    <message id="Description_About">
        <source>Updates the firmware of Velt USB audio devices.</source>
        <extracomment>About box description</extracomment>
        <translation>Met à jour le micrologiciel des appareils audio USB Velt.</translation>
    </message>
    <message id="Caption_IntroTitle">
        <source>Welcome to Velt Firmware Updater</source>
        <extracomment>Header of the first page</extracomment>
        <translation>Bienvenue dans Velt Firmware Updater</translation>
    </message>
    <message id="Description_Intro">
        <source>This assistant installs new firmware on your Velt USB audio device. You choose your device model and a firmware version and put the device into DFU mode; the updater then downloads the firmware and writes it to the device.

The list of available firmware is loaded from the Velt server when this page opens. Click Next as soon as it becomes available.</source>
        <extracomment>Explanation on the first page</extracomment>
        <translation>Cet assistant installe un nouveau micrologiciel sur votre appareil audio USB Velt. Vous choisissez le modèle de l’appareil et une version du micrologiciel, puis mettez l’appareil en mode DFU ; le programme télécharge alors le micrologiciel et l’écrit sur l’appareil.

La liste des micrologiciels disponibles est chargée depuis le serveur Velt à l’ouverture de cette page. Cliquez sur « Suivant » dès que le bouton est disponible.</translation>
    </message>
    <message id="Caption_SelectModelTitle">
        <source>Choose your device model</source>
        <extracomment>Header of the model page</extracomment>
        <translation>Choisissez le modèle de l’appareil</translation>
    </message>
    <message id="Description_SelectModel">
        <source>Select the model of the device you want to update.</source>
        <extracomment>Explanation on the model page</extracomment>
        <translation>Sélectionnez le modèle de l’appareil à mettre à jour.</translation>
    </message>
    <message id="Caption_Model">
        <source>Model:</source>
        <extracomment>Label before the model list</extracomment>
        <translation>Modèle :</translation>
    </message>
    <message id="Caption_SelectVersionTitle">
        <source>Choose a firmware version</source>
        <extracomment>Header of the version page</extracomment>
        <translation>Choisissez une version du micrologiciel</translation>
    </message>
    <message id="Description_SelectVersion">
        <source>The newest version is selected. You can choose an earlier version instead, for example to return to one you used before.</source>
        <extracomment>Explanation on the version page</extracomment>
        <translation>La version la plus récente est sélectionnée. Vous pouvez choisir une version antérieure, par exemple pour revenir à celle que vous utilisiez.</translation>
    </message>
    <message id="Caption_Version">
        <source>Version:</source>
        <extracomment>Label before the version list</extracomment>
        <translation>Version :</translation>
    </message>
    <message id="Caption_DFUSetupTitle">
        <source>Put the device into DFU mode</source>
        <extracomment>Header of the DFU instructions page</extracomment>
        <translation>Mettez l’appareil en mode DFU</translation>
    </message>
    <message id="Description_DFUSetup">
        <source>To receive new firmware, the device must be in DFU (Device Firmware Upgrade) mode:

1. Switch the device off and disconnect its USB cable.
2. Press and hold the device's DFU button (your device's manual shows where it is).
3. While holding the button, connect the device to this computer with the USB cable.
4. Release the button when the status light starts blinking. The device is now in DFU mode.

Click Next to start the update. Keep the device connected until the update has finished.</source>
        <extracomment>Step-by-step instructions for entering DFU mode</extracomment>
        <translation>Pour recevoir un nouveau micrologiciel, l’appareil doit être en mode DFU (Device Firmware Upgrade) :

1. Éteignez l’appareil et débranchez son câble USB.
2. Maintenez enfoncé le bouton DFU de l’appareil (son manuel indique où il se trouve).
3. Tout en maintenant le bouton, branchez l’appareil à cet ordinateur avec le câble USB.
4. Relâchez le bouton quand le voyant d’état se met à clignoter. L’appareil est alors en mode DFU.

Cliquez sur « Suivant » pour lancer la mise à jour. Laissez l’appareil connecté jusqu’à la fin de la mise à jour.</translation>
    </message>
    <message id="Caption_UpdateTitle">
        <source>Updating the firmware</source>
        <extracomment>Header of the update page</extracomment>
        <translation>Mise à jour du micrologiciel</translation>
    </message>
    <message id="Description_UpdateNotice">
        <source>Keep the device connected and switched on until the update has finished. The updater cannot be closed while the firmware is being written.</source>
        <extracomment>Notice on the update page</extracomment>
        <translation>Laissez l’appareil connecté et allumé jusqu’à la fin de la mise à jour. Le programme ne peut pas être fermé pendant l’écriture du micrologiciel.</translation>
    </message>
    <message id="ButtonCaption_Next">
        <source>Next</source>
        <extracomment>Button to the next page</extracomment>
        <translation>Suivant</translation>
    </message>
    <message id="ButtonCaption_Back">
        <source>Back</source>
        <extracomment>Button back to the previous page</extracomment>
        <translation>Précédent</translation>
    </message>
    <message id="Caption_AccessibleModelList">
        <source>Device model</source>
        <extracomment>Accessible name of the model list</extracomment>
        <translation>Modèle de l’appareil</translation>
    </message>
    <message id="Caption_AccessibleMessages">
        <source>Messages</source>
        <extracomment>Accessible name of the model page's message area</extracomment>
        <translation>Messages</translation>
    </message>
    <message id="Caption_AccessibleVersionList">
        <source>Firmware version</source>
        <extracomment>Accessible name of the version list</extracomment>
        <translation>Version du micrologiciel</translation>
    </message>
    <message id="Caption_AccessibleVersionInfo">
        <source>Version information</source>
        <extracomment>Accessible name of the version page's information area</extracomment>
        <translation>Informations sur la version</translation>
    </message>
    <message id="Caption_AccessibleInstructions">
        <source>Instructions</source>
        <extracomment>Accessible name of the DFU instructions</extracomment>
        <translation>Instructions</translation>
    </message>
    <message id="Caption_AccessibleImageDetails">
        <source>File details</source>
        <extracomment>Accessible name of the local file page's area with the file's name, size, DFU suffix and MD5</extracomment>
        <translation>Détails du fichier</translation>
    </message>
    <message id="Caption_AccessibleProgress">
        <source>Update progress</source>
        <extracomment>Accessible name of the progress bar</extracomment>
        <translation>Progression de la mise à jour</translation>
    </message>
    <message id="Caption_AccessibleStatus">
        <source>Update status</source>
        <extracomment>Accessible name of the update page's status area</extracomment>
        <translation>État de la mise à jour</translation>
    </message>
    <message id="Error_FlashingToolFailed">
        <source>Writing the firmware failed (exit status %d), and the writing tool gave no reason. Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool failed without a readable reason; %d is its exit status</extracomment>
        <translation>L’écriture du micrologiciel a échoué (code de sortie %d) sans que l’outil d’écriture en donne la raison. Reconnectez l’appareil en mode DFU et réessayez.</translation>
    </message>
    <message id="Error_FlashingToolStopped">
        <source>The writing tool stopped unexpectedly (signal %d). Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool was ended by a signal (it crashed or was killed); %d is the signal number</extracomment>
        <translation>L’outil d’écriture s’est arrêté de manière inattendue (signal %d). Reconnectez l’appareil en mode DFU et réessayez.</translation>
    </message>
    <message id="Caption_MenuCopyDiagnostics">
        <source>&amp;Copy Diagnostics</source>
        <extracomment>Help menu: copies this run's diagnostic lines to the clipboard for a support request</extracomment>
        <translation>&amp;Copier les diagnostics</translation>
    </message>
    <message id="Caption_MenuOpenLogFolder">
        <source>Open &amp;Log Folder</source>
        <extracomment>Help menu: opens the folder that keeps the diagnostics log</extracomment>
        <translation>Ouvrir le dossier des &amp;journaux</translation>
    </message>
    <message id="Info_DeviceConnected">
        <source>A device in DFU mode is connected.</source>
        <extracomment>DFU setup page status: the device in DFU mode is present</extracomment>
        <translation>Un appareil en mode DFU est connecté.</translation>
    </message>
    <message id="Info_DeviceNotFound">
        <source>No device in DFU mode found yet. Connect it with its USB cable and put it into DFU mode as shown above.</source>
        <extracomment>DFU setup page status: no device in DFU mode; one line with a hint</extracomment>
        <translation>Aucun appareil en mode DFU trouvé. Branchez-le avec son câble USB et mettez-le en mode DFU comme indiqué ci-dessus.</translation>
    </message>
    <message id="Info_DeviceSeveral">
        <source>Connect only the device you want to update.</source>
        <extracomment>DFU setup page status and alert: more than one device in DFU mode is connected</extracomment>
        <translation>Ne connectez que l’appareil à mettre à jour.</translation>
    </message>
    <message id="Info_DeviceDeniedReconnect">
        <source>You are not allowed to use the device yet. Unplug it and connect it again.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device although the udev rule is installed, local session</extracomment>
        <translation>Vous n’êtes pas encore autorisé à utiliser l’appareil. Débranchez-le puis rebranchez-le.</translation>
    </message>
    <message id="Info_DeviceDeniedRemote">
        <source>This session is not at the computer's own screen and keyboard, so it may not use the device. Sign in at the computer, or ask the administrator to add the group rule described in the README.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device in a session that is not at the local seat (e.g. over SSH)</extracomment>
        <translation>Cette session n’est pas ouverte sur l’écran et le clavier de l’ordinateur ; elle ne peut donc pas utiliser l’appareil. Connectez-vous sur l’ordinateur ou demandez à l’administrateur d’ajouter la règle de groupe décrite dans le README.</translation>
    </message>
    <message id="Info_DeviceDeniedNoRule">
        <source>You are not allowed to use the device. Install the rule file 70-velt-dfu.rules in /etc/udev/rules.d, then unplug the device and connect it again.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device and the udev rule is not installed; names the file</extracomment>
        <translation>Vous n’êtes pas autorisé à utiliser l’appareil. Installez le fichier de règles 70-velt-dfu.rules dans /etc/udev/rules.d, puis débranchez et rebranchez l’appareil.</translation>
    </message>
    <message id="Info_DeviceBusy">
        <source>Another program is using the device. Close that program, then try again.</source>
        <extracomment>DFU setup page status and alert: another program holds the device</extracomment>
        <translation>Un autre programme utilise l’appareil. Quittez ce programme, puis réessayez.</translation>
    </message>
    <message id="Description_InhibitSleep">
        <source>Firmware is being written to the device; interrupting it could leave the device unusable.</source>
        <extracomment>Shown by the desktop when the user tries to suspend or shut down while the device is written</extracomment>
        <translation>Un micrologiciel est en cours d’écriture sur l’appareil ; l’interrompre pourrait le rendre inutilisable.</translation>
    </message>
    <message id="Error_CouldNotOpenLogFolder">
        <source>The log folder could not be opened. Its path is in the details.</source>
        <extracomment>Help menu: the file manager could not show the log folder; the folder's path follows behind the details button</extracomment>
        <translation>Impossible d’ouvrir le dossier des journaux. Son chemin figure dans les détails.</translation>
    </message>
    <message id="Error_AlreadyRunning">
        <source>Velt Firmware Updater is already running. Use the window that is open, or quit it before starting the updater again.</source>
        <extracomment>A second start of the application while one instance runs for this user; it ends after this alert</extracomment>
        <translation>Velt Firmware Updater est déjà en cours d’exécution. Utilisez la fenêtre ouverte ou quittez le programme avant de le relancer.</translation>
    </message>
    <message id="Error_FlashingToolNotResponding">
        <source>The firmware writing tool stopped responding and was ended. Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool printed nothing for minutes and was stopped</extracomment>
        <translation>L’outil d’écriture du micrologiciel ne répondait plus et a été arrêté. Reconnectez l’appareil en mode DFU et réessayez.</translation>
    </message>
    <message id="Error_DownloadTooManyRedirects">
        <source>The firmware server redirected the download too many times.</source>
        <extracomment>The image download was redirected more than 50 times (a loop on the server)</extracomment>
        <translation>Le serveur de micrologiciels a redirigé le téléchargement trop de fois.</translation>
    </message>
    <message id="Error_DownloadRedirectRefused">
        <source>The firmware server sent the download to an address that is not allowed.</source>
        <extracomment>The server redirected the image download to an address the updater does not trust; the reason follows</extracomment>
        <translation>Le serveur de micrologiciels a redirigé le téléchargement vers une adresse non autorisée.</translation>
    </message>
    <message id="Error_DeviceDidNotAnswer">
        <source>The device did not answer, so no firmware was written. Reconnect it in DFU mode and try again.</source>
        <extracomment>Five attempts ended before any firmware was written: the device never answered</extracomment>
        <translation>L’appareil n’a pas répondu ; aucun micrologiciel n’a été écrit. Reconnectez-le en mode DFU et réessayez.</translation>
    </message>
    <message id="Caption_TimeLeft">
        <source>time left</source>
        <extracomment>Command line progress: label before the remaining time (m:ss)</extracomment>
        <translation>temps restant</translation>
    </message>
    <message id="Info_Cancelled">
        <source>Cancelled. Nothing was written to the device.</source>
        <extracomment>Command line: Ctrl-C or a declined confirmation ended the update before the device was written</extracomment>
        <translation>Annulé. Rien n’a été écrit sur l’appareil.</translation>
    </message>
    <message id="Prompt_ConfirmWrite">
        <source>Write this firmware into the device? [y/N]</source>
        <extracomment>Command line: asks before writing; y or yes confirms</extracomment>
        <translation>Écrire ce micrologiciel sur l’appareil ? [y/N]</translation>
    </message>
    <message id="Caption_FirmwareToWrite">
        <source>Firmware to write:</source>
        <extracomment>Command line: heading above the model, version, file and MD5 about to be written</extracomment>
        <translation>Micrologiciel à écrire :</translation>
    </message>
    <message id="Error_ConfirmationNeeded">
        <source>Nothing was written: the update was not confirmed. Add --yes when the updater does not run in a terminal.</source>
        <extracomment>Command line: standard input is not a terminal and --yes was not given</extracomment>
        <translation>Rien n’a été écrit : la mise à jour n’a pas été confirmée. Ajoutez --yes si le programme ne s’exécute pas dans un terminal.</translation>
    </message>
    <message id="Description_CommandLineDFUSetup">
        <source>Put the device into DFU mode:

1. Switch the device off and disconnect its USB cable.
2. Press and hold the device's DFU button (your device's manual shows where it is).
3. While holding the button, connect the device to this computer with the USB cable.
4. Release the button when the status light starts blinking.

The update starts as soon as the device is found. Keep it connected until the update has finished.</source>
        <extracomment>Command line: DFU mode instructions printed before waiting for the device</extracomment>
        <translation>Mettez l’appareil en mode DFU :

1. Éteignez l’appareil et débranchez son câble USB.
2. Maintenez enfoncé le bouton DFU de l’appareil (son manuel indique où il se trouve).
3. Tout en maintenant le bouton, branchez l’appareil à cet ordinateur avec le câble USB.
4. Relâchez le bouton quand le voyant d’état se met à clignoter.

La mise à jour démarre dès que l’appareil est détecté. Laissez-le connecté jusqu’à la fin de la mise à jour.</translation>
    </message>
    <message id="Error_DeviceStateUnknown">
        <source>Whether a device in DFU mode is connected could not be found out.</source>
        <extracomment>Command line: the device watch gave no usable answer</extracomment>
        <translation>Impossible de déterminer si un appareil en mode DFU est connecté.</translation>
    </message>
    <message id="Info_QuitRefusedWhileWriting">
        <source>The device is being written and must not be interrupted. The updater ends when the write has finished.</source>
        <extracomment>Ctrl-C or a termination signal while the device is written: refused</extracomment>
        <translation>L’écriture sur l’appareil est en cours et ne doit pas être interrompue. Le programme se fermera à la fin de l’écriture.</translation>
    </message>
    <message id="Error_UnknownModel">
        <source>The catalogue has no model of this name:</source>
        <extracomment>Command line: --update names an unknown model; the name follows</extracomment>
        <translation>Le catalogue ne contient aucun modèle de ce nom :</translation>
    </message>
    <message id="Error_UnknownVersion">
        <source>The catalogue has no version of this name for the model:</source>
        <extracomment>Command line: --version names an unknown version; the name follows</extracomment>
        <translation>Le catalogue ne contient aucune version de ce nom pour le modèle :</translation>
    </message>
    <message id="Error_CommandLineOneAction">
        <source>Give only one of --list, --update and --file.</source>
        <extracomment>Command line usage error</extracomment>
        <translation>Indiquez une seule des options --list, --update et --file.</translation>
    </message>
    <message id="Error_CommandLineMd5Required">
        <source>--file needs --md5 with the file's MD5 digest (32 hexadecimal digits) as support sent it: the digest proves that the file is the intended one.</source>
        <extracomment>Command line usage error: --md5 missing or not a digest</extracomment>
        <translation>--file nécessite --md5 avec l’empreinte MD5 du fichier (32 chiffres hexadécimaux) telle que l’assistance l’a envoyée : elle prouve qu’il s’agit du bon fichier.</translation>
    </message>
    <message id="Error_CommandLineBadWait">
        <source>--wait needs a number of seconds, 0 or more.</source>
        <extracomment>Command line usage error</extracomment>
        <translation>--wait nécessite un nombre de secondes, 0 ou plus.</translation>
    </message>
    <message id="Error_ImageUnreadable">
        <source>The image file cannot be read.</source>
        <extracomment>Image file check: the file cannot be opened or is not a regular file</extracomment>
        <translation>Impossible de lire le fichier image.</translation>
    </message>
    <message id="Error_ImageTooLarge">
        <source>The image file is larger than 256 MiB, too large for firmware.</source>
        <extracomment>Image file check: size</extracomment>
        <translation>Le fichier image dépasse 256 Mio : c’est trop volumineux pour un micrologiciel.</translation>
    </message>
    <message id="Error_ImageEmpty">
        <source>The image file holds no firmware: its content is empty.</source>
        <extracomment>Image file check: no payload before the DFU suffix</extracomment>
        <translation>Le fichier image ne contient aucun micrologiciel : son contenu est vide.</translation>
    </message>
    <message id="Error_ImageNoSuffix">
        <source>The image file is not a DFU file: it has no DFU suffix.</source>
        <extracomment>Image file check: the file does not end in a DFU suffix</extracomment>
        <translation>Le fichier image n’est pas un fichier DFU : il n’a pas de suffixe DFU.</translation>
    </message>
    <message id="Error_ImageBadSuffix">
        <source>The image file is damaged: its DFU suffix or checksum (CRC) is wrong.</source>
        <extracomment>Image file check: suffix length or CRC wrong</extracomment>
        <translation>Le fichier image est endommagé : son suffixe DFU ou sa somme de contrôle (CRC) est incorrect.</translation>
    </message>
    <message id="Error_ImageWrongDevice">
        <source>The image file is made for another device: its DFU vendor and product ids are not those of the Velt device.</source>
        <extracomment>Image file check: the suffix names other USB ids</extracomment>
        <translation>Le fichier image est destiné à un autre appareil : ses identifiants DFU de fabricant et de produit ne sont pas ceux de l’appareil Velt.</translation>
    </message>
    <message id="Error_ImageDigestMismatch">
        <source>The image file's MD5 digest is not the one given: it is not the intended file.</source>
        <extracomment>Image file check: MD5 differs from --md5</extracomment>
        <translation>L’empreinte MD5 du fichier image ne correspond pas à celle indiquée : ce n’est pas le bon fichier.</translation>
    </message>
    <message id="Caption_MenuUpdateFromFile">
        <source>Update from a &amp;File…</source>
        <extracomment>File menu: writes an image file of the user's own (one that support sent)</extracomment>
        <translation>Mettre à jour depuis un &amp;fichier…</translation>
    </message>
    <message id="Caption_LocalImageTitle">
        <source>Update from a file</source>
        <extracomment>Header of the page that shows an image file before it is written</extracomment>
        <translation>Mise à jour depuis un fichier</translation>
    </message>
    <message id="Caption_ImageFile">
        <source>File</source>
        <extracomment>Image file page: the file's name follows</extracomment>
        <translation>Fichier</translation>
    </message>
    <message id="Caption_ImageSize">
        <source>Size (bytes)</source>
        <extracomment>Image file page: the file's size in bytes follows</extracomment>
        <translation>Taille (octets)</translation>
    </message>
    <message id="Caption_DfuSuffix">
        <source>DFU suffix (vendor:product, version)</source>
        <extracomment>Image file page: the ids and release number from the file's DFU suffix follow</extracomment>
        <translation>Suffixe DFU (fabricant:produit, version)</translation>
    </message>
    <message id="Info_ImagePublished">
        <source>This file is a published firmware:</source>
        <extracomment>Image file page: its MD5 matches the catalogue; version and models follow</extracomment>
        <translation>Ce fichier est un micrologiciel publié :</translation>
    </message>
    <message id="Warning_ImageNotPublished">
        <source>This file is not a published firmware: its MD5 matches no version in the catalogue. Write it only if Velt support sent it to you for this device.</source>
        <extracomment>Image file page: the MD5 matches no catalogue version</extracomment>
        <translation>Ce fichier n’est pas un micrologiciel publié : son empreinte MD5 ne correspond à aucune version du catalogue. Ne l’écrivez que si l’assistance Velt vous l’a envoyé pour cet appareil.</translation>
    </message>
    <message id="Caption_SupportSentThisFile">
        <source>Velt support sent me this file for this device</source>
        <extracomment>Image file page: check box the user must tick before Next for a file that is not published</extracomment>
        <translation>L’assistance Velt m’a envoyé ce fichier pour cet appareil</translation>
    </message>
</context>
</TS>
