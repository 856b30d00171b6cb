<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: Apache-2.0 -->
<!-- Glossary: the words GNOME and KDE use in this language; keep to them.
     Next      Siguiente
     Back      Atrás
     Quit      Salir
     Finish    Finalizar
     DFU mode  modo DFU
     firmware  firmware -->
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name></name>
    <message id="Error_CouldNotRetrieveFirmwareList">
        <source>Could not retrieve the firmware list from the server. Check your internet connection and try again.</source>
        <extracomment>Catalogue fetch failed; followed by ' (code)'</extracomment>
        <translation>No se pudo obtener la lista de firmware del servidor. Compruebe su conexión a Internet e inténtelo de nuevo.</translation>
    </message>
    <message id="Error_CouldNotReadFirmwareList">
        <source>The firmware list from the server could not be read.</source>
        <extracomment>Catalogue is not readable; followed by ' (code)'</extracomment>
        <translation>No se pudo leer la lista de firmware del servidor.</translation>
    </message>
    <message id="Error_NoFirmwareAvailable">
        <source>No firmware is available for this model.</source>
        <extracomment>The chosen model has no firmware</extracomment>
        <translation>No hay firmware disponible para este modelo.</translation>
    </message>
    <message id="Info_NumberOfFirmwareVersionsAvailable">
        <source>Firmware versions available for this model: %d</source>
        <extracomment>Exactly one %d: the number of versions</extracomment>
        <translation>Versiones de firmware disponibles para este modelo: %d</translation>
    </message>
    <message id="Caption_OriginalVersion">
        <source>original</source>
        <extracomment>Shown in parentheses after the first version of a model</extracomment>
        <translation>original</translation>
    </message>
    <message id="Caption_NewestVersion">
        <source>newest</source>
        <extracomment>Shown in parentheses after the last version of a model</extracomment>
        <translation>más reciente</translation>
    </message>
    <message id="Caption_ReleaseDate">
        <source>Release date</source>
        <extracomment>Followed by ': ' and the release date</extracomment>
        <translation>Fecha de publicación</translation>
    </message>
    <message id="Error_CodeInconsistency">
        <source>This version is listed for the model but is missing from the firmware list. Choose another version.</source>
        <extracomment>The picked version is missing from the firmware list</extracomment>
        <translation>Esta versión figura para el modelo, pero falta en la lista de firmware. Elija otra versión.</translation>
    </message>
    <message id="Caption_VersionInfo">
        <source>Firmware version: </source>
        <extracomment>Directly followed by the version name; include any separator</extracomment>
        <translation>Versión de firmware: </translation>
    </message>
    <message id="Info_DownloadingFirmwareFromServer">
        <source>Downloading the firmware from the server…</source>
        <extracomment>Status while the image downloads</extracomment>
        <translation>Descargando el firmware del servidor…</translation>
    </message>
    <message id="Error_CouldNotDownLoadFirmware">
        <source>Could not download the firmware (HTTP status %d).</source>
        <extracomment>Exactly one %d: the HTTP status code</extracomment>
        <translation>No se pudo descargar el firmware (estado HTTP %d).</translation>
    </message>
    <message id="Error_FileHashDoesNotMatch">
        <source>The downloaded firmware is damaged: its checksum does not match. Please try again.</source>
        <extracomment>MD5 of the download differs from the firmware list</extracomment>
        <translation>El firmware descargado está dañado: su suma de verificación no coincide. Inténtelo de nuevo.</translation>
    </message>
    <message id="Info_Preparing">
        <source>Firmware verified. Preparing to write it to the device…</source>
        <extracomment>Image verified; flashing starts shortly</extracomment>
        <translation>Firmware verificado. Preparando la escritura en el dispositivo…</translation>
    </message>
    <message id="Description_DFUMode">
        <source>The device could not be found in DFU mode. Put it into DFU mode, connect it, and try again.</source>
        <extracomment>The device is not in DFU mode</extracomment>
        <translation>No se encontró el dispositivo en modo DFU. Póngalo en modo DFU, conéctelo e inténtelo de nuevo.</translation>
    </message>
    <message id="Error_FailedToGetStatus">
        <source>The device stopped responding while the firmware was being written. Reconnect it in DFU mode and try again.</source>
        <extracomment>The device stopped answering status requests</extracomment>
        <translation>El dispositivo dejó de responder mientras se escribía el firmware. Vuelva a conectarlo en modo DFU e inténtelo de nuevo.</translation>
    </message>
    <message id="Info_Writing">
        <source>Writing the firmware to the device. Do not disconnect it…</source>
        <extracomment>Status while the device is written</extracomment>
        <translation>Escribiendo el firmware en el dispositivo. No lo desconecte…</translation>
    </message>
    <message id="Info_Finishing">
        <source>Finishing…</source>
        <extracomment>Status once more than 99 per cent is written</extracomment>
        <translation>Finalizando…</translation>
    </message>
    <message id="Info_TimeLeftSeconds" numerus="yes">
        <source>About %n seconds left</source>
        <extracomment>Beside the progress bar while downloading or writing; %n is a multiple of 5 under 60</extracomment>
        <translation>
            <numerusform>Queda aproximadamente %n segundo</numerusform>
            <numerusform>Quedan aproximadamente %n segundos</numerusform>
        </translation>
    </message>
    <message id="Info_TimeLeftMinutes" numerus="yes">
        <source>About %n minutes left</source>
        <extracomment>Beside the progress bar while downloading or writing; %n whole minutes</extracomment>
        <translation>
            <numerusform>Queda aproximadamente %n minuto</numerusform>
            <numerusform>Quedan aproximadamente %n minutos</numerusform>
        </translation>
    </message>
    <message id="Info_DeviceInstalling">
        <source>The device is installing the firmware. Keep it connected.</source>
        <extracomment>Beside the progress bar once the device has the whole image and applies it</extracomment>
        <translation>El dispositivo está instalando el firmware. Manténgalo conectado.</translation>
    </message>
    <message id="Info_WriteSucceeded">
        <source>The firmware was updated successfully. You can now disconnect the device.</source>
        <extracomment>The update succeeded</extracomment>
        <translation>El firmware se actualizó correctamente. Ya puede desconectar el dispositivo.</translation>
    </message>
    <message id="ButtonCaption_Finish">
        <source>Finish</source>
        <extracomment>Button that quits after success</extracomment>
        <translation>Finalizar</translation>
    </message>
    <message id="Error_Generic">
        <source>The update failed.</source>
        <extracomment>Status text after any failure</extracomment>
        <translation>La actualización falló.</translation>
    </message>
    <message id="Error_FlashingToolUnavailable">
        <source>The firmware writing tool could not be started. Please reinstall Velt Firmware Updater.</source>
        <extracomment>The bundled flashing tool is missing or cannot be started</extracomment>
        <translation>No se pudo iniciar la herramienta de escritura del firmware. Vuelva a instalar Velt Firmware Updater.</translation>
    </message>
    <message id="Error_DownloadIncomplete">
        <source>The download ended before the whole firmware file arrived. Check your internet connection and try again.</source>
        <extracomment>The connection ended before the whole firmware file arrived</extracomment>
        <translation>La descarga terminó antes de recibir el archivo de firmware completo. Compruebe su conexión a Internet e inténtelo de nuevo.</translation>
    </message>
    <message id="Error_DownloadFailed">
        <source>The firmware could not be downloaded. Check your internet connection and try again.</source>
        <extracomment>The image download failed at the network level; the network library's own text goes behind the details</extracomment>
        <translation>No se pudo descargar el firmware. Compruebe la conexión a Internet e inténtelo de nuevo.</translation>
    </message>
    <message id="Error_DownloadTimedOut">
        <source>The firmware server stopped answering. Check your internet connection and try again.</source>
        <extracomment>The download of the firmware file timed out</extracomment>
        <translation>El servidor de firmware dejó de responder. Compruebe su conexión a Internet e inténtelo de nuevo.</translation>
    </message>
    <message id="Error_FirmwareTooLarge">
        <source>The firmware file offered by the server is too large (over 256 MiB) and was refused.</source>
        <extracomment>The server offered a file over 256 MiB</extracomment>
        <translation>El archivo de firmware que ofrece el servidor es demasiado grande (más de 256 MiB) y se rechazó.</translation>
    </message>
    <message id="Error_NoFirmwareSelected">
        <source>No firmware version has been chosen. Go back and choose one.</source>
        <extracomment>The update page was reached without a chosen version</extracomment>
        <translation>No se ha elegido ninguna versión de firmware. Vuelva atrás y elija una.</translation>
    </message>
    <message id="Error_InvalidDownloadAddress">
        <source>The download address of this firmware is invalid.</source>
        <extracomment>The firmware's download address cannot be formed</extracomment>
        <translation>La dirección de descarga de este firmware no es válida.</translation>
    </message>
    <message id="Error_NoDocumentsFolder">
        <source>Your Documents folder could not be found or created.</source>
        <extracomment>No Documents folder to store the image</extracomment>
        <translation>No se pudo encontrar ni crear su carpeta Documentos.</translation>
    </message>
    <message id="Error_CouldNotSaveFirmware">
        <source>The firmware could not be saved to your Documents folder.</source>
        <extracomment>Writing the image file failed; the system's reason follows</extracomment>
        <translation>No se pudo guardar el firmware en su carpeta Documentos.</translation>
    </message>
    <message id="Caption_MenuFile">
        <source>&amp;File</source>
        <extracomment>Menu title; &amp; marks the access key</extracomment>
        <translation>&amp;Archivo</translation>
    </message>
    <message id="Caption_MenuQuit">
        <source>&amp;Quit</source>
        <extracomment>Menu command that quits the application</extracomment>
        <translation>&amp;Salir</translation>
    </message>
    <message id="Caption_MenuHelp">
        <source>&amp;Help</source>
        <extracomment>Menu title; &amp; marks the access key</extracomment>
        <translation>A&amp;yuda</translation>
    </message>
    <message id="Caption_MenuAbout">
        <source>&amp;About Velt Firmware Updater</source>
        <extracomment>Menu command showing the About box</extracomment>
        <translation>&amp;Acerca de Velt Firmware Updater</translation>
    </message>
    <message id="Caption_AboutVersion">
        <source>Version</source>
        <extracomment>About box; followed by a space and the version number</extracomment>
        <translation>Versión</translation>
    </message>
    <message id="Description_About">
        <source>Updates the firmware of Velt USB audio devices.</source>
        <extracomment>About box description</extracomment>
        <translation>Actualiza el firmware de los dispositivos de audio USB de Velt.</translation>
    </message>
    <message id="Caption_IntroTitle">
        <source>Welcome to Velt Firmware Updater</source>
        <extracomment>Header of the first page</extracomment>
        <translation>Le damos la bienvenida a Velt Firmware Updater</translation>
    </message>
    <message id="Description_Intro">
        <source>This assistant installs new firmware on your Velt USB audio device. You choose your device model and a firmware version and put the device into DFU mode; the updater then downloads the firmware and writes it to the device.

The list of available firmware is loaded from the Velt server when this page opens. Click Next as soon as it becomes available.</source>
        <extracomment>Explanation on the first page</extracomment>
        <translation>Este asistente instala un firmware nuevo en su dispositivo de audio USB Velt. Usted elige el modelo del dispositivo y una versión de firmware y pone el dispositivo en modo DFU; después, el programa descarga el firmware y lo escribe en el dispositivo.

La lista de firmware disponible se carga desde el servidor de Velt al abrir esta página. Pulse «Siguiente» en cuanto esté disponible.</translation>
    </message>
    <message id="Caption_SelectModelTitle">
        <source>Choose your device model</source>
        <extracomment>Header of the model page</extracomment>
        <translation>Elija el modelo de su dispositivo</translation>
    </message>
    <message id="Description_SelectModel">
        <source>Select the model of the device you want to update.</source>
        <extracomment>Explanation on the model page</extracomment>
        <translation>Seleccione el modelo del dispositivo que quiere actualizar.</translation>
    </message>
    <message id="Caption_Model">
        <source>Model:</source>
        <extracomment>Label before the model list</extracomment>
        <translation>Modelo:</translation>
    </message>
    <message id="Caption_SelectVersionTitle">
        <source>Choose a firmware version</source>
        <extracomment>Header of the version page</extracomment>
        <translation>Elija una versión de firmware</translation>
    </message>
    <message id="Description_SelectVersion">
        <source>The newest version is selected. You can choose an earlier version instead, for example to return to one you used before.</source>
        <extracomment>Explanation on the version page</extracomment>
        <translation>La versión más reciente está seleccionada. Puede elegir una versión anterior, por ejemplo para volver a una que usaba antes.</translation>
    </message>
    <message id="Caption_Version">
        <source>Version:</source>
        <extracomment>Label before the version list</extracomment>
        <translation>Versión:</translation>
    </message>
    <message id="Caption_DFUSetupTitle">
        <source>Put the device into DFU mode</source>
        <extracomment>Header of the DFU instructions page</extracomment>
        <translation>Ponga el dispositivo en modo DFU</translation>
    </message>
    <message id="Description_DFUSetup">
        <source>To receive new firmware, the device must be in DFU (Device Firmware Upgrade) mode:

1. Switch the device off and disconnect its USB cable.
2. Press and hold the device's DFU button (your device's manual shows where it is).
3. While holding the button, connect the device to this computer with the USB cable.
4. Release the button when the status light starts blinking. The device is now in DFU mode.

Click Next to start the update. Keep the device connected until the update has finished.</source>
        <extracomment>Step-by-step instructions for entering DFU mode</extracomment>
        <translation>Para recibir un firmware nuevo, el dispositivo debe estar en modo DFU (Device Firmware Upgrade):

1. Apague el dispositivo y desconecte su cable USB.
2. Mantenga pulsado el botón DFU del dispositivo (el manual del dispositivo indica dónde está).
3. Sin soltar el botón, conecte el dispositivo a este equipo con el cable USB.
4. Suelte el botón cuando la luz de estado empiece a parpadear. El dispositivo ya está en modo DFU.

Pulse «Siguiente» para iniciar la actualización. Mantenga el dispositivo conectado hasta que termine la actualización.</translation>
    </message>
    <message id="Caption_UpdateTitle">
        <source>Updating the firmware</source>
        <extracomment>Header of the update page</extracomment>
        <translation>Actualizando el firmware</translation>
    </message>
    <message id="Description_UpdateNotice">
        <source>Keep the device connected and switched on until the update has finished. The updater cannot be closed while the firmware is being written.</source>
        <extracomment>Notice on the update page</extracomment>
        <translation>Mantenga el dispositivo conectado y encendido hasta que termine la actualización. El programa no se puede cerrar mientras se escribe el firmware.</translation>
    </message>
    <message id="ButtonCaption_Next">
        <source>Next</source>
        <extracomment>Button to the next page</extracomment>
        <translation>Siguiente</translation>
    </message>
    <message id="ButtonCaption_Back">
        <source>Back</source>
        <extracomment>Button back to the previous page</extracomment>
        <translation>Atrás</translation>
    </message>
    <message id="Caption_AccessibleModelList">
        <source>Device model</source>
        <extracomment>Accessible name of the model list</extracomment>
        <translation>Modelo del dispositivo</translation>
    </message>
    <message id="Caption_AccessibleMessages">
        <source>Messages</source>
        <extracomment>Accessible name of the model page's message area</extracomment>
        <translation>Mensajes</translation>
    </message>
    <message id="Caption_AccessibleVersionList">
        <source>Firmware version</source>
        <extracomment>Accessible name of the version list</extracomment>
        <translation>Versión de firmware</translation>
    </message>
    <message id="Caption_AccessibleVersionInfo">
        <source>Version information</source>
        <extracomment>Accessible name of the version page's information area</extracomment>
        <translation>Información de la versión</translation>
    </message>
    <message id="Caption_AccessibleInstructions">
        <source>Instructions</source>
        <extracomment>Accessible name of the DFU instructions</extracomment>
        <translation>Instrucciones</translation>
    </message>
    <message id="Caption_AccessibleImageDetails">
        <source>File details</source>
        <extracomment>Accessible name of the local file page's area with the file's name, size, DFU suffix and MD5</extracomment>
        <translation>Detalles del archivo</translation>
    </message>
    <message id="Caption_AccessibleProgress">
        <source>Update progress</source>
        <extracomment>Accessible name of the progress bar</extracomment>
        <translation>Progreso de la actualización</translation>
    </message>
    <message id="Caption_AccessibleStatus">
        <source>Update status</source>
        <extracomment>Accessible name of the update page's status area</extracomment>
        <translation>Estado de la actualización</translation>
    </message>
    <message id="Error_FlashingToolFailed">
        <source>Writing the firmware failed (exit status %d), and the writing tool gave no reason. Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool failed without a readable reason; %d is its exit status</extracomment>
        <translation>Falló la escritura del firmware (estado de salida %d) y la herramienta de escritura no indicó el motivo. Vuelva a conectar el dispositivo en modo DFU e inténtelo de nuevo.</translation>
    </message>
    <message id="Error_FlashingToolStopped">
        <source>The writing tool stopped unexpectedly (signal %d). Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool was ended by a signal (it crashed or was killed); %d is the signal number</extracomment>
        <translation>La herramienta de escritura se detuvo inesperadamente (señal %d). Vuelva a conectar el dispositivo en modo DFU e inténtelo de nuevo.</translation>
    </message>
    <message id="Caption_MenuCopyDiagnostics">
        <source>&amp;Copy Diagnostics</source>
        <extracomment>Help menu: copies this run's diagnostic lines to the clipboard for a support request</extracomment>
        <translation>&amp;Copiar diagnóstico</translation>
    </message>
    <message id="Caption_MenuOpenLogFolder">
        <source>Open &amp;Log Folder</source>
        <extracomment>Help menu: opens the folder that keeps the diagnostics log</extracomment>
        <translation>Abrir carpeta de &amp;registros</translation>
    </message>
    <message id="Info_DeviceConnected">
        <source>A device in DFU mode is connected.</source>
        <extracomment>DFU setup page status: the device in DFU mode is present</extracomment>
        <translation>Hay un dispositivo en modo DFU conectado.</translation>
    </message>
    <message id="Info_DeviceNotFound">
        <source>No device in DFU mode found yet. Connect it with its USB cable and put it into DFU mode as shown above.</source>
        <extracomment>DFU setup page status: no device in DFU mode; one line with a hint</extracomment>
        <translation>Aún no hay ningún dispositivo en modo DFU. Conéctelo con su cable USB y póngalo en modo DFU como se indica arriba.</translation>
    </message>
    <message id="Info_DeviceSeveral">
        <source>Connect only the device you want to update.</source>
        <extracomment>DFU setup page status and alert: more than one device in DFU mode is connected</extracomment>
        <translation>Conecte solo el dispositivo que desea actualizar.</translation>
    </message>
    <message id="Info_DeviceDeniedReconnect">
        <source>You are not allowed to use the device yet. Unplug it and connect it again.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device although the udev rule is installed, local session</extracomment>
        <translation>Todavía no tiene permiso para usar el dispositivo. Desconéctelo y vuelva a conectarlo.</translation>
    </message>
    <message id="Info_DeviceDeniedRemote">
        <source>This session is not at the computer's own screen and keyboard, so it may not use the device. Sign in at the computer, or ask the administrator to add the group rule described in the README.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device in a session that is not at the local seat (e.g. over SSH)</extracomment>
        <translation>Esta sesión no está en la pantalla y el teclado del propio equipo, por lo que no puede usar el dispositivo. Inicie sesión en el equipo o pida al administrador que añada la regla de grupo descrita en el README.</translation>
    </message>
    <message id="Info_DeviceDeniedNoRule">
        <source>You are not allowed to use the device. Install the rule file 70-velt-dfu.rules in /etc/udev/rules.d, then unplug the device and connect it again.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device and the udev rule is not installed; names the file</extracomment>
        <translation>No tiene permiso para usar el dispositivo. Instale el archivo de reglas 70-velt-dfu.rules en /etc/udev/rules.d y luego desconecte y vuelva a conectar el dispositivo.</translation>
    </message>
    <message id="Info_DeviceBusy">
        <source>Another program is using the device. Close that program, then try again.</source>
        <extracomment>DFU setup page status and alert: another program holds the device</extracomment>
        <translation>Otro programa está usando el dispositivo. Cierre ese programa e inténtelo de nuevo.</translation>
    </message>
    <message id="Description_InhibitSleep">
        <source>Firmware is being written to the device; interrupting it could leave the device unusable.</source>
        <extracomment>Shown by the desktop when the user tries to suspend or shut down while the device is written</extracomment>
        <translation>Se está escribiendo firmware en el dispositivo; interrumpirlo podría dejarlo inservible.</translation>
    </message>
    <message id="Error_CouldNotOpenLogFolder">
        <source>The log folder could not be opened. Its path is in the details.</source>
        <extracomment>Help menu: the file manager could not show the log folder; the folder's path follows behind the details button</extracomment>
        <translation>No se pudo abrir la carpeta de registros. Su ruta figura en los detalles.</translation>
    </message>
    <message id="Error_AlreadyRunning">
        <source>Velt Firmware Updater is already running. Use the window that is open, or quit it before starting the updater again.</source>
        <extracomment>A second start of the application while one instance runs for this user; it ends after this alert</extracomment>
        <translation>Velt Firmware Updater ya se está ejecutando. Use la ventana abierta o salga del programa antes de volver a iniciarlo.</translation>
    </message>
    <message id="Error_FlashingToolNotResponding">
        <source>The firmware writing tool stopped responding and was ended. Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool printed nothing for minutes and was stopped</extracomment>
        <translation>La herramienta de escritura del firmware dejó de responder y se detuvo. Vuelva a conectar el dispositivo en modo DFU e inténtelo de nuevo.</translation>
    </message>
    <message id="Error_DownloadTooManyRedirects">
        <source>The firmware server redirected the download too many times.</source>
        <extracomment>The image download was redirected more than 50 times (a loop on the server)</extracomment>
        <translation>El servidor de firmware redirigió la descarga demasiadas veces.</translation>
    </message>
    <message id="Error_DownloadRedirectRefused">
        <source>The firmware server sent the download to an address that is not allowed.</source>
        <extracomment>The server redirected the image download to an address the updater does not trust; the reason follows</extracomment>
        <translation>El servidor de firmware redirigió la descarga a una dirección no permitida.</translation>
    </message>
    <message id="Error_DeviceDidNotAnswer">
        <source>The device did not answer, so no firmware was written. Reconnect it in DFU mode and try again.</source>
        <extracomment>Five attempts ended before any firmware was written: the device never answered</extracomment>
        <translation>El dispositivo no respondió, así que no se escribió ningún firmware. Vuelva a conectarlo en modo DFU e inténtelo de nuevo.</translation>
    </message>
    <message id="Caption_TimeLeft">
        <source>time left</source>
        <extracomment>Command line progress: label before the remaining time (m:ss)</extracomment>
        <translation>tiempo restante</translation>
    </message>
    <message id="Info_Cancelled">
        <source>Cancelled. Nothing was written to the device.</source>
        <extracomment>Command line: Ctrl-C or a declined confirmation ended the update before the device was written</extracomment>
        <translation>Cancelado. No se ha escrito nada en el dispositivo.</translation>
    </message>
    <message id="Prompt_ConfirmWrite">
        <source>Write this firmware into the device? [y/N]</source>
        <extracomment>Command line: asks before writing; y or yes confirms</extracomment>
        <translation>¿Escribir este firmware en el dispositivo? [y/N]</translation>
    </message>
    <message id="Caption_FirmwareToWrite">
        <source>Firmware to write:</source>
        <extracomment>Command line: heading above the model, version, file and MD5 about to be written</extracomment>
        <translation>Firmware que se escribirá:</translation>
    </message>
    <message id="Error_ConfirmationNeeded">
        <source>Nothing was written: the update was not confirmed. Add --yes when the updater does not run in a terminal.</source>
        <extracomment>Command line: standard input is not a terminal and --yes was not given</extracomment>
        <translation>No se escribió nada: la actualización no se confirmó. Añada --yes si el programa no se ejecuta en un terminal.</translation>
    </message>
    <message id="Description_CommandLineDFUSetup">
        <source>Put the device into DFU mode:

1. Switch the device off and disconnect its USB cable.
2. Press and hold the device's DFU button (your device's manual shows where it is).
3. While holding the button, connect the device to this computer with the USB cable.
4. Release the button when the status light starts blinking.

The update starts as soon as the device is found. Keep it connected until the update has finished.</source>
        <extracomment>Command line: DFU mode instructions printed before waiting for the device</extracomment>
        <translation>Ponga el dispositivo en modo DFU:

1. Apague el dispositivo y desconecte su cable USB.
2. Mantenga pulsado el botón DFU del dispositivo (el manual del dispositivo indica dónde está).
3. Sin soltar el botón, conecte el dispositivo a este equipo con el cable USB.
4. Suelte el botón cuando la luz de estado empiece a parpadear.

La actualización empieza en cuanto se detecta el dispositivo. Manténgalo conectado hasta que termine la actualización.</translation>
    </message>
    <message id="Error_DeviceStateUnknown">
        <source>Whether a device in DFU mode is connected could not be found out.</source>
        <extracomment>Command line: the device watch gave no usable answer</extracomment>
        <translation>No se pudo determinar si hay un dispositivo en modo DFU conectado.</translation>
    </message>
    <message id="Info_QuitRefusedWhileWriting">
        <source>The device is being written and must not be interrupted. The updater ends when the write has finished.</source>
        <extracomment>Ctrl-C or a termination signal while the device is written: refused</extracomment>
        <translation>Se está escribiendo en el dispositivo y no debe interrumpirse. El programa terminará cuando acabe la escritura.</translation>
    </message>
    <message id="Error_UnknownModel">
        <source>The catalogue has no model of this name:</source>
        <extracomment>Command line: --update names an unknown model; the name follows</extracomment>
        <translation>El catálogo no tiene ningún modelo con este nombre:</translation>
    </message>
    <message id="Error_UnknownVersion">
        <source>The catalogue has no version of this name for the model:</source>
        <extracomment>Command line: --version names an unknown version; the name follows</extracomment>
        <translation>El catálogo no tiene ninguna versión con este nombre para el modelo:</translation>
    </message>
    <message id="Error_CommandLineOneAction">
        <source>Give only one of --list, --update and --file.</source>
        <extracomment>Command line usage error</extracomment>
        <translation>Indique solo una de las opciones --list, --update y --file.</translation>
    </message>
    <message id="Error_CommandLineMd5Required">
        <source>--file needs --md5 with the file's MD5 digest (32 hexadecimal digits) as support sent it: the digest proves that the file is the intended one.</source>
        <extracomment>Command line usage error: --md5 missing or not a digest</extracomment>
        <translation>--file necesita --md5 con el resumen MD5 del archivo (32 dígitos hexadecimales) tal como lo envió el soporte técnico: el resumen demuestra que es el archivo correcto.</translation>
    </message>
    <message id="Error_CommandLineBadWait">
        <source>--wait needs a number of seconds, 0 or more.</source>
        <extracomment>Command line usage error</extracomment>
        <translation>--wait necesita un número de segundos, 0 o más.</translation>
    </message>
    <message id="Error_ImageUnreadable">
        <source>The image file cannot be read.</source>
        <extracomment>Image file check: the file cannot be opened or is not a regular file</extracomment>
        <translation>No se puede leer el archivo de imagen.</translation>
    </message>
    <message id="Error_ImageTooLarge">
        <source>The image file is larger than 256 MiB, too large for firmware.</source>
        <extracomment>Image file check: size</extracomment>
        <translation>El archivo de imagen supera los 256 MiB: es demasiado grande para un firmware.</translation>
    </message>
    <message id="Error_ImageEmpty">
        <source>The image file holds no firmware: its content is empty.</source>
        <extracomment>Image file check: no payload before the DFU suffix</extracomment>
        <translation>El archivo de imagen no contiene firmware: su contenido está vacío.</translation>
    </message>
    <message id="Error_ImageNoSuffix">
        <source>The image file is not a DFU file: it has no DFU suffix.</source>
        <extracomment>Image file check: the file does not end in a DFU suffix</extracomment>
        <translation>El archivo de imagen no es un archivo DFU: no tiene sufijo DFU.</translation>
    </message>
    <message id="Error_ImageBadSuffix">
        <source>The image file is damaged: its DFU suffix or checksum (CRC) is wrong.</source>
        <extracomment>Image file check: suffix length or CRC wrong</extracomment>
        <translation>El archivo de imagen está dañado: su sufijo DFU o su suma de verificación (CRC) es incorrecto.</translation>
    </message>
    <message id="Error_ImageWrongDevice">
        <source>The image file is made for another device: its DFU vendor and product ids are not those of the Velt device.</source>
        <extracomment>Image file check: the suffix names other USB ids</extracomment>
        <translation>El archivo de imagen es para otro dispositivo: sus ID de fabricante y de producto DFU no son los del dispositivo Velt.</translation>
    </message>
    <message id="Error_ImageDigestMismatch">
        <source>The image file's MD5 digest is not the one given: it is not the intended file.</source>
        <extracomment>Image file check: MD5 differs from --md5</extracomment>
        <translation>El resumen MD5 del archivo de imagen no coincide con el indicado: no es el archivo correcto.</translation>
    </message>
    <message id="Caption_MenuUpdateFromFile">
        <source>Update from a &amp;File…</source>
        <extracomment>File menu: writes an image file of the user's own (one that support sent)</extracomment>
        <translation>Actualizar desde un &amp;archivo…</translation>
    </message>
    <message id="Caption_LocalImageTitle">
        <source>Update from a file</source>
        <extracomment>Header of the page that shows an image file before it is written</extracomment>
        <translation>Actualizar desde un archivo</translation>
    </message>
    <message id="Caption_ImageFile">
        <source>File</source>
        <extracomment>Image file page: the file's name follows</extracomment>
        <translation>Archivo</translation>
    </message>
    <message id="Caption_ImageSize">
        <source>Size (bytes)</source>
        <extracomment>Image file page: the file's size in bytes follows</extracomment>
        <translation>Tamaño (bytes)</translation>
    </message>
    <message id="Caption_DfuSuffix">
        <source>DFU suffix (vendor:product, version)</source>
        <extracomment>Image file page: the ids and release number from the file's DFU suffix follow</extracomment>
        <translation>Sufijo DFU (fabricante:producto, versión)</translation>
    </message>
    <message id="Info_ImagePublished">
        <source>This file is a published firmware:</source>
        <extracomment>Image file page: its MD5 matches the catalogue; version and models follow</extracomment>
        <translation>Este archivo es un firmware publicado:</translation>
    </message>
    <message id="Warning_ImageNotPublished">
        <source>This file is not a published firmware: its MD5 matches no version in the catalogue. Write it only if Velt support sent it to you for this device.</source>
        <extracomment>Image file page: the MD5 matches no catalogue version</extracomment>
        <translation>Este archivo no es un firmware publicado: su MD5 no coincide con ninguna versión del catálogo. Escríbalo solo si el soporte técnico de Velt se lo envió para este dispositivo.</translation>
    </message>
    <message id="Caption_SupportSentThisFile">
        <source>Velt support sent me this file for this device</source>
        <extracomment>Image file page: check box the user must tick before Next for a file that is not published</extracomment>
        <translation>El soporte técnico de Velt me envió este archivo para este dispositivo</translation>
    </message>
</context>
</TS>
