<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: Apache-2.0 -->
<!-- Glossary: the words GNOME and KDE use in this language; keep to them.
     Next      下一步
     Back      上一步
     Quit      退出
     Finish    完成
     DFU mode  DFU 模式
     firmware  固件 -->
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name></name>
    <message id="Error_CouldNotRetrieveFirmwareList">
        <source>Could not retrieve the firmware list from the server. Check your internet connection and try again.</source>
        <extracomment>Catalogue fetch failed; followed by ' (code)'</extracomment>
        <translation>无法从服务器获取固件列表。请检查网络连接，然后重试。</translation>
    </message>
    <message id="Error_CouldNotReadFirmwareList">
        <source>The firmware list from the server could not be read.</source>
        <extracomment>Catalogue is not readable; followed by ' (code)'</extracomment>
        <translation>无法读取服务器上的固件列表。</translation>
    </message>
    <message id="Error_NoFirmwareAvailable">
        <source>No firmware is available for this model.</source>
        <extracomment>The chosen model has no firmware</extracomment>
        <translation>此型号没有可用的固件。</translation>
    </message>
    <message id="Info_NumberOfFirmwareVersionsAvailable">
        <source>Firmware versions available for this model: %d</source>
        <extracomment>Exactly one %d: the number of versions</extracomment>
        <translation>此型号可用的固件版本数：%d</translation>
    </message>
    <message id="Caption_OriginalVersion">
        <source>original</source>
        <extracomment>Shown in parentheses after the first version of a model</extracomment>
        <translation>初始版本</translation>
    </message>
    <message id="Caption_NewestVersion">
        <source>newest</source>
        <extracomment>Shown in parentheses after the last version of a model</extracomment>
        <translation>最新</translation>
    </message>
    <message id="Caption_ReleaseDate">
        <source>Release date</source>
        <extracomment>Followed by ': ' and the release date</extracomment>
        <translation>发布日期</translation>
    </message>
    <message id="Error_CodeInconsistency">
        <source>This version is listed for the model but is missing from the firmware list. Choose another version.</source>
        <extracomment>The picked version is missing from the firmware list</extracomment>
        <translation>此版本列在该型号下，但固件列表中没有它。请选择其他版本。</translation>
    </message>
    <message id="Caption_VersionInfo">
        <source>Firmware version: </source>
        <extracomment>Directly followed by the version name; include any separator</extracomment>
        <translation>固件版本：</translation>
    </message>
    <message id="Info_DownloadingFirmwareFromServer">
        <source>Downloading the firmware from the server…</source>
        <extracomment>Status while the image downloads</extracomment>
        <translation>正在从服务器下载固件…</translation>
    </message>
    <message id="Error_CouldNotDownLoadFirmware">
        <source>Could not download the firmware (HTTP status %d).</source>
        <extracomment>Exactly one %d: the HTTP status code</extracomment>
        <translation>无法下载固件（HTTP 状态码 %d）。</translation>
    </message>
    <message id="Error_FileHashDoesNotMatch">
        <source>The downloaded firmware is damaged: its checksum does not match. Please try again.</source>
        <extracomment>MD5 of the download differs from the firmware list</extracomment>
        <translation>下载的固件已损坏：校验和不匹配。请重试。</translation>
    </message>
    <message id="Info_Preparing">
        <source>Firmware verified. Preparing to write it to the device…</source>
        <extracomment>Image verified; flashing starts shortly</extracomment>
        <translation>固件已验证。正在准备写入设备…</translation>
    </message>
    <message id="Description_DFUMode">
        <source>The device could not be found in DFU mode. Put it into DFU mode, connect it, and try again.</source>
        <extracomment>The device is not in DFU mode</extracomment>
        <translation>未找到处于 DFU 模式的设备。请将设备置于 DFU 模式并连接，然后重试。</translation>
    </message>
    <message id="Error_FailedToGetStatus">
        <source>The device stopped responding while the firmware was being written. Reconnect it in DFU mode and try again.</source>
        <extracomment>The device stopped answering status requests</extracomment>
        <translation>写入固件时设备停止响应。请在 DFU 模式下重新连接设备，然后重试。</translation>
    </message>
    <message id="Info_Writing">
        <source>Writing the firmware to the device. Do not disconnect it…</source>
        <extracomment>Status while the device is written</extracomment>
        <translation>正在将固件写入设备。请勿断开连接…</translation>
    </message>
    <message id="Info_Finishing">
        <source>Finishing…</source>
        <extracomment>Status once more than 99 per cent is written</extracomment>
        <translation>正在完成…</translation>
    </message>
    <message id="Info_TimeLeftSeconds" numerus="yes">
        <source>About %n seconds left</source>
        <extracomment>Beside the progress bar while downloading or writing; %n is a multiple of 5 under 60</extracomment>
        <translation>
            <numerusform>剩余约 %n 秒</numerusform>
        </translation>
    </message>
    <message id="Info_TimeLeftMinutes" numerus="yes">
        <source>About %n minutes left</source>
        <extracomment>Beside the progress bar while downloading or writing; %n whole minutes</extracomment>
        <translation>
            <numerusform>剩余约 %n 分钟</numerusform>
        </translation>
    </message>
    <message id="Info_DeviceInstalling">
        <source>The device is installing the firmware. Keep it connected.</source>
        <extracomment>Beside the progress bar once the device has the whole image and applies it</extracomment>
        <translation>设备正在安装固件。请保持连接。</translation>
    </message>
    <message id="Info_WriteSucceeded">
        <source>The firmware was updated successfully. You can now disconnect the device.</source>
        <extracomment>The update succeeded</extracomment>
        <translation>固件更新成功。现在可以断开设备。</translation>
    </message>
    <message id="ButtonCaption_Finish">
        <source>Finish</source>
        <extracomment>Button that quits after success</extracomment>
        <translation>完成</translation>
    </message>
    <message id="Error_Generic">
        <source>The update failed.</source>
        <extracomment>Status text after any failure</extracomment>
        <translation>更新失败。</translation>
    </message>
    <message id="Error_FlashingToolUnavailable">
        <source>The firmware writing tool could not be started. Please reinstall Velt Firmware Updater.</source>
        <extracomment>The bundled flashing tool is missing or cannot be started</extracomment>
        <translation>无法启动固件写入工具。请重新安装 Velt Firmware Updater。</translation>
    </message>
    <message id="Error_DownloadIncomplete">
        <source>The download ended before the whole firmware file arrived. Check your internet connection and try again.</source>
        <extracomment>The connection ended before the whole firmware file arrived</extracomment>
        <translation>固件文件尚未完整接收，下载就已结束。请检查网络连接，然后重试。</translation>
    </message>
    <message id="Error_DownloadFailed">
        <source>The firmware could not be downloaded. Check your internet connection and try again.</source>
        <extracomment>The image download failed at the network level; the network library's own text goes behind the details</extracomment>
        <translation>无法下载固件。请检查网络连接，然后重试。</translation>
    </message>
    <message id="Error_DownloadTimedOut">
        <source>The firmware server stopped answering. Check your internet connection and try again.</source>
        <extracomment>The download of the firmware file timed out</extracomment>
        <translation>固件服务器已停止响应。请检查网络连接，然后重试。</translation>
    </message>
    <message id="Error_FirmwareTooLarge">
        <source>The firmware file offered by the server is too large (over 256 MiB) and was refused.</source>
        <extracomment>The server offered a file over 256 MiB</extracomment>
        <translation>服务器提供的固件文件过大（超过 256 MiB），已被拒绝。</translation>
    </message>
    <message id="Error_NoFirmwareSelected">
        <source>No firmware version has been chosen. Go back and choose one.</source>
        <extracomment>The update page was reached without a chosen version</extracomment>
        <translation>尚未选择固件版本。请返回并选择一个版本。</translation>
    </message>
    <message id="Error_InvalidDownloadAddress">
        <source>The download address of this firmware is invalid.</source>
        <extracomment>The firmware's download address cannot be formed</extracomment>
        <translation>此固件的下载地址无效。</translation>
    </message>
    <message id="Error_NoDocumentsFolder">
        <source>Your Documents folder could not be found or created.</source>
        <extracomment>No Documents folder to store the image</extracomment>
        <translation>找不到也无法创建您的“文档”文件夹。</translation>
    </message>
    <message id="Error_CouldNotSaveFirmware">
        <source>The firmware could not be saved to your Documents folder.</source>
        <extracomment>Writing the image file failed; the system's reason follows</extracomment>
        <translation>无法将固件保存到您的“文档”文件夹。</translation>
    </message>
    <message id="Caption_MenuFile">
        <source>&amp;File</source>
        <extracomment>Menu title; &amp; marks the access key</extracomment>
        <translation>文件(&amp;F)</translation>
    </message>
    <message id="Caption_MenuQuit">
        <source>&amp;Quit</source>
        <extracomment>Menu command that quits the application</extracomment>
        <translation>退出(&amp;Q)</translation>
    </message>
    <message id="Caption_MenuHelp">
        <source>&amp;Help</source>
        <extracomment>Menu title; &amp; marks the access key</extracomment>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message id="Caption_MenuAbout">
        <source>&amp;About Velt Firmware Updater</source>
        <extracomment>Menu command showing the About box</extracomment>
        <translation>关于 Velt Firmware Updater(&amp;A)</translation>
    </message>
    <message id="Caption_AboutVersion">
        <source>Version</source>
        <extracomment>About box; followed by a space and the version number</extracomment>
        <translation>版本</translation>
    </message>
    <message id="Description_About">
        <source>Updates the firmware of Velt USB audio devices.</source>
        <extracomment>About box description</extracomment>
        <translation>更新 Velt USB 音频设备的固件。</translation>
    </message>
    <message id="Caption_IntroTitle">
        <source>Welcome to Velt Firmware Updater</source>
        <extracomment>Header of the first page</extracomment>
        <translation>欢迎使用 Velt Firmware Updater</translation>
    </message>
    <message id="Description_Intro">
        <source>This assistant installs new firmware on your Velt USB audio device. You choose your device model and a firmware version and put the device into DFU mode; the updater then downloads the firmware and writes it to the device.

The list of available firmware is loaded from the Velt server when this page opens. Click Next as soon as it becomes available.</source>
        <extracomment>Explanation on the first page</extracomment>
        <translation>本向导将在您的 Velt USB 音频设备上安装新固件。您选择设备型号和固件版本，并将设备置于 DFU 模式；随后更新程序会下载固件并将其写入设备。

打开此页面时，会从 Velt 服务器加载可用固件列表。“下一步”可用后，请立即点击。</translation>
    </message>
    <message id="Caption_SelectModelTitle">
        <source>Choose your device model</source>
        <extracomment>Header of the model page</extracomment>
        <translation>选择设备型号</translation>
    </message>
    <message id="Description_SelectModel">
        <source>Select the model of the device you want to update.</source>
        <extracomment>Explanation on the model page</extracomment>
        <translation>请选择要更新的设备的型号。</translation>
    </message>
    <message id="Caption_Model">
        <source>Model:</source>
        <extracomment>Label before the model list</extracomment>
        <translation>型号：</translation>
    </message>
    <message id="Caption_SelectVersionTitle">
        <source>Choose a firmware version</source>
        <extracomment>Header of the version page</extracomment>
        <translation>选择固件版本</translation>
    </message>
    <message id="Description_SelectVersion">
        <source>The newest version is selected. You can choose an earlier version instead, for example to return to one you used before.</source>
        <extracomment>Explanation on the version page</extracomment>
        <translation>已选中最新版本。您也可以选择较早的版本，例如恢复到以前使用的版本。</translation>
    </message>
    <message id="Caption_Version">
        <source>Version:</source>
        <extracomment>Label before the version list</extracomment>
        <translation>版本：</translation>
    </message>
    <message id="Caption_DFUSetupTitle">
        <source>Put the device into DFU mode</source>
        <extracomment>Header of the DFU instructions page</extracomment>
        <translation>将设备置于 DFU 模式</translation>
    </message>
    <message id="Description_DFUSetup">
        <source>To receive new firmware, the device must be in DFU (Device Firmware Upgrade) mode:

1. Switch the device off and disconnect its USB cable.
2. Press and hold the device's DFU button (your device's manual shows where it is).
3. While holding the button, connect the device to this computer with the USB cable.
4. Release the button when the status light starts blinking. The device is now in DFU mode.

Click Next to start the update. Keep the device connected until the update has finished.</source>
        <extracomment>Step-by-step instructions for entering DFU mode</extracomment>
        <translation>要接收新固件，设备必须处于 DFU（Device Firmware Upgrade，设备固件升级）模式：

1. 关闭设备电源并拔下 USB 线。
2. 按住设备上的 DFU 按钮（按钮位置见设备说明书）。
3. 按住按钮的同时，用 USB 线将设备连接到这台计算机。
4. 状态指示灯开始闪烁时松开按钮。设备现在处于 DFU 模式。

点击“下一步”开始更新。在更新完成之前，请保持设备连接。</translation>
    </message>
    <message id="Caption_UpdateTitle">
        <source>Updating the firmware</source>
        <extracomment>Header of the update page</extracomment>
        <translation>正在更新固件</translation>
    </message>
    <message id="Description_UpdateNotice">
        <source>Keep the device connected and switched on until the update has finished. The updater cannot be closed while the firmware is being written.</source>
        <extracomment>Notice on the update page</extracomment>
        <translation>在更新完成之前，请保持设备连接并开启。写入固件期间无法关闭更新程序。</translation>
    </message>
    <message id="ButtonCaption_Next">
        <source>Next</source>
        <extracomment>Button to the next page</extracomment>
        <translation>下一步</translation>
    </message>
    <message id="ButtonCaption_Back">
        <source>Back</source>
        <extracomment>Button back to the previous page</extracomment>
        <translation>上一步</translation>
    </message>
    <message id="Caption_AccessibleModelList">
        <source>Device model</source>
        <extracomment>Accessible name of the model list</extracomment>
        <translation>设备型号</translation>
    </message>
    <message id="Caption_AccessibleMessages">
        <source>Messages</source>
        <extracomment>Accessible name of the model page's message area</extracomment>
        <translation>消息</translation>
    </message>
    <message id="Caption_AccessibleVersionList">
        <source>Firmware version</source>
        <extracomment>Accessible name of the version list</extracomment>
        <translation>固件版本</translation>
    </message>
    <message id="Caption_AccessibleVersionInfo">
        <source>Version information</source>
        <extracomment>Accessible name of the version page's information area</extracomment>
        <translation>版本信息</translation>
    </message>
    <message id="Caption_AccessibleInstructions">
        <source>Instructions</source>
        <extracomment>Accessible name of the DFU instructions</extracomment>
        <translation>操作说明</translation>
    </message>
    <message id="Caption_AccessibleImageDetails">
        <source>File details</source>
        <extracomment>Accessible name of the local file page's area with the file's name, size, DFU suffix and MD5</extracomment>
        <translation>文件详细信息</translation>
    </message>
    <message id="Caption_AccessibleProgress">
        <source>Update progress</source>
        <extracomment>Accessible name of the progress bar</extracomment>
        <translation>更新进度</translation>
    </message>
    <message id="Caption_AccessibleStatus">
        <source>Update status</source>
        <extracomment>Accessible name of the update page's status area</extracomment>
        <translation>更新状态</translation>
    </message>
    <message id="Error_FlashingToolFailed">
        <source>Writing the firmware failed (exit status %d), and the writing tool gave no reason. Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool failed without a readable reason; %d is its exit status</extracomment>
        <translation>固件写入失败（退出状态 %d），写入工具未给出原因。请在 DFU 模式下重新连接设备，然后重试。</translation>
    </message>
    <message id="Error_FlashingToolStopped">
        <source>The writing tool stopped unexpectedly (signal %d). Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool was ended by a signal (it crashed or was killed); %d is the signal number</extracomment>
        <translation>写入工具意外停止（信号 %d）。请在 DFU 模式下重新连接设备，然后重试。</translation>
    </message>
    <message id="Caption_MenuCopyDiagnostics">
        <source>&amp;Copy Diagnostics</source>
        <extracomment>Help menu: copies this run's diagnostic lines to the clipboard for a support request</extracomment>
        <translation>复制诊断信息(&amp;C)</translation>
    </message>
    <message id="Caption_MenuOpenLogFolder">
        <source>Open &amp;Log Folder</source>
        <extracomment>Help menu: opens the folder that keeps the diagnostics log</extracomment>
        <translation>打开日志文件夹(&amp;L)</translation>
    </message>
    <message id="Info_DeviceConnected">
        <source>A device in DFU mode is connected.</source>
        <extracomment>DFU setup page status: the device in DFU mode is present</extracomment>
        <translation>已连接处于 DFU 模式的设备。</translation>
    </message>
    <message id="Info_DeviceNotFound">
        <source>No device in DFU mode found yet. Connect it with its USB cable and put it into DFU mode as shown above.</source>
        <extracomment>DFU setup page status: no device in DFU mode; one line with a hint</extracomment>
        <translation>尚未找到处于 DFU 模式的设备。请用 USB 线连接设备，并按上述步骤将其置于 DFU 模式。</translation>
    </message>
    <message id="Info_DeviceSeveral">
        <source>Connect only the device you want to update.</source>
        <extracomment>DFU setup page status and alert: more than one device in DFU mode is connected</extracomment>
        <translation>请只连接要更新的设备。</translation>
    </message>
    <message id="Info_DeviceDeniedReconnect">
        <source>You are not allowed to use the device yet. Unplug it and connect it again.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device although the udev rule is installed, local session</extracomment>
        <translation>您还没有使用该设备的权限。请拔下设备后重新连接。</translation>
    </message>
    <message id="Info_DeviceDeniedRemote">
        <source>This session is not at the computer's own screen and keyboard, so it may not use the device. Sign in at the computer, or ask the administrator to add the group rule described in the README.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device in a session that is not at the local seat (e.g. over SSH)</extracomment>
        <translation>此会话不在这台计算机本身的屏幕和键盘上，因此无法使用该设备。请在计算机上登录，或请管理员添加 README 中所述的组规则。</translation>
    </message>
    <message id="Info_DeviceDeniedNoRule">
        <source>You are not allowed to use the device. Install the rule file 70-velt-dfu.rules in /etc/udev/rules.d, then unplug the device and connect it again.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device and the udev rule is not installed; names the file</extracomment>
        <translation>您没有使用该设备的权限。请将规则文件 70-velt-dfu.rules 安装到 /etc/udev/rules.d，然后拔下设备并重新连接。</translation>
    </message>
    <message id="Info_DeviceBusy">
        <source>Another program is using the device. Close that program, then try again.</source>
        <extracomment>DFU setup page status and alert: another program holds the device</extracomment>
        <translation>另一个程序正在使用该设备。请关闭该程序，然后重试。</translation>
    </message>
    <message id="Description_InhibitSleep">
        <source>Firmware is being written to the device; interrupting it could leave the device unusable.</source>
        <extracomment>Shown by the desktop when the user tries to suspend or shut down while the device is written</extracomment>
        <translation>正在向设备写入固件；中断可能导致设备无法使用。</translation>
    </message>
    <message id="Error_CouldNotOpenLogFolder">
        <source>The log folder could not be opened. Its path is in the details.</source>
        <extracomment>Help menu: the file manager could not show the log folder; the folder's path follows behind the details button</extracomment>
        <translation>无法打开日志文件夹。其路径见详细信息。</translation>
    </message>
    <message id="Error_AlreadyRunning">
        <source>Velt Firmware Updater is already running. Use the window that is open, or quit it before starting the updater again.</source>
        <extracomment>A second start of the application while one instance runs for this user; it ends after this alert</extracomment>
        <translation>Velt Firmware Updater 已在运行。请使用已打开的窗口，或先退出再重新启动更新程序。</translation>
    </message>
    <message id="Error_FlashingToolNotResponding">
        <source>The firmware writing tool stopped responding and was ended. Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool printed nothing for minutes and was stopped</extracomment>
        <translation>固件写入工具停止响应，已被终止。请在 DFU 模式下重新连接设备，然后重试。</translation>
    </message>
    <message id="Error_DownloadTooManyRedirects">
        <source>The firmware server redirected the download too many times.</source>
        <extracomment>The image download was redirected more than 50 times (a loop on the server)</extracomment>
        <translation>固件服务器重定向下载的次数过多。</translation>
    </message>
    <message id="Error_DownloadRedirectRefused">
        <source>The firmware server sent the download to an address that is not allowed.</source>
        <extracomment>The server redirected the image download to an address the updater does not trust; the reason follows</extracomment>
        <translation>固件服务器将下载重定向到了不允许的地址。</translation>
    </message>
    <message id="Error_DeviceDidNotAnswer">
        <source>The device did not answer, so no firmware was written. Reconnect it in DFU mode and try again.</source>
        <extracomment>Five attempts ended before any firmware was written: the device never answered</extracomment>
        <translation>设备没有响应，因此未写入任何固件。请在 DFU 模式下重新连接设备，然后重试。</translation>
    </message>
    <message id="Caption_TimeLeft">
        <source>time left</source>
        <extracomment>Command line progress: label before the remaining time (m:ss)</extracomment>
        <translation>剩余时间</translation>
    </message>
    <message id="Info_Cancelled">
        <source>Cancelled. Nothing was written to the device.</source>
        <extracomment>Command line: Ctrl-C or a declined confirmation ended the update before the device was written</extracomment>
        <translation>已取消。未向设备写入任何内容。</translation>
    </message>
    <message id="Prompt_ConfirmWrite">
        <source>Write this firmware into the device? [y/N]</source>
        <extracomment>Command line: asks before writing; y or yes confirms</extracomment>
        <translation>要将此固件写入设备吗？[y/N]</translation>
    </message>
    <message id="Caption_FirmwareToWrite">
        <source>Firmware to write:</source>
        <extracomment>Command line: heading above the model, version, file and MD5 about to be written</extracomment>
        <translation>要写入的固件：</translation>
    </message>
    <message id="Error_ConfirmationNeeded">
        <source>Nothing was written: the update was not confirmed. Add --yes when the updater does not run in a terminal.</source>
        <extracomment>Command line: standard input is not a terminal and --yes was not given</extracomment>
        <translation>未写入任何内容：更新未经确认。若更新程序不在终端中运行，请添加 --yes。</translation>
    </message>
    <message id="Description_CommandLineDFUSetup">
        <source>Put the device into DFU mode:

1. Switch the device off and disconnect its USB cable.
2. Press and hold the device's DFU button (your device's manual shows where it is).
3. While holding the button, connect the device to this computer with the USB cable.
4. Release the button when the status light starts blinking.

The update starts as soon as the device is found. Keep it connected until the update has finished.</source>
        <extracomment>Command line: DFU mode instructions printed before waiting for the device</extracomment>
        <translation>请将设备置于 DFU 模式：

1. 关闭设备电源并拔下 USB 线。
2. 按住设备上的 DFU 按钮（按钮位置见设备说明书）。
3. 按住按钮的同时，用 USB 线将设备连接到这台计算机。
4. 状态指示灯开始闪烁时松开按钮。

找到设备后会立即开始更新。在更新完成之前，请保持设备连接。</translation>
    </message>
    <message id="Error_DeviceStateUnknown">
        <source>Whether a device in DFU mode is connected could not be found out.</source>
        <extracomment>Command line: the device watch gave no usable answer</extracomment>
        <translation>无法确定是否已连接处于 DFU 模式的设备。</translation>
    </message>
    <message id="Info_QuitRefusedWhileWriting">
        <source>The device is being written and must not be interrupted. The updater ends when the write has finished.</source>
        <extracomment>Ctrl-C or a termination signal while the device is written: refused</extracomment>
        <translation>正在写入设备，不得中断。写入完成后更新程序将退出。</translation>
    </message>
    <message id="Error_UnknownModel">
        <source>The catalogue has no model of this name:</source>
        <extracomment>Command line: --update names an unknown model; the name follows</extracomment>
        <translation>固件列表中没有此名称的型号：</translation>
    </message>
    <message id="Error_UnknownVersion">
        <source>The catalogue has no version of this name for the model:</source>
        <extracomment>Command line: --version names an unknown version; the name follows</extracomment>
        <translation>固件列表中该型号没有此名称的版本：</translation>
    </message>
    <message id="Error_CommandLineOneAction">
        <source>Give only one of --list, --update and --file.</source>
        <extracomment>Command line usage error</extracomment>
        <translation>--list、--update 和 --file 只能指定其中一个。</translation>
    </message>
    <message id="Error_CommandLineMd5Required">
        <source>--file needs --md5 with the file's MD5 digest (32 hexadecimal digits) as support sent it: the digest proves that the file is the intended one.</source>
        <extracomment>Command line usage error: --md5 missing or not a digest</extracomment>
        <translation>--file 需要配合 --md5，并给出技术支持提供的文件 MD5 摘要（32 位十六进制数字）：摘要可证明文件正确无误。</translation>
    </message>
    <message id="Error_CommandLineBadWait">
        <source>--wait needs a number of seconds, 0 or more.</source>
        <extracomment>Command line usage error</extracomment>
        <translation>--wait 需要一个秒数（0 或更大）。</translation>
    </message>
    <message id="Error_ImageUnreadable">
        <source>The image file cannot be read.</source>
        <extracomment>Image file check: the file cannot be opened or is not a regular file</extracomment>
        <translation>无法读取映像文件。</translation>
    </message>
    <message id="Error_ImageTooLarge">
        <source>The image file is larger than 256 MiB, too large for firmware.</source>
        <extracomment>Image file check: size</extracomment>
        <translation>映像文件大于 256 MiB，作为固件过大。</translation>
    </message>
    <message id="Error_ImageEmpty">
        <source>The image file holds no firmware: its content is empty.</source>
        <extracomment>Image file check: no payload before the DFU suffix</extracomment>
        <translation>映像文件中没有固件：内容为空。</translation>
    </message>
    <message id="Error_ImageNoSuffix">
        <source>The image file is not a DFU file: it has no DFU suffix.</source>
        <extracomment>Image file check: the file does not end in a DFU suffix</extracomment>
        <translation>映像文件不是 DFU 文件：没有 DFU 后缀。</translation>
    </message>
    <message id="Error_ImageBadSuffix">
        <source>The image file is damaged: its DFU suffix or checksum (CRC) is wrong.</source>
        <extracomment>Image file check: suffix length or CRC wrong</extracomment>
        <translation>映像文件已损坏：DFU 后缀或校验和（CRC）有误。</translation>
    </message>
    <message id="Error_ImageWrongDevice">
        <source>The image file is made for another device: its DFU vendor and product ids are not those of the Velt device.</source>
        <extracomment>Image file check: the suffix names other USB ids</extracomment>
        <translation>映像文件适用于其他设备：其 DFU 厂商 ID 和产品 ID 与 Velt 设备不符。</translation>
    </message>
    <message id="Error_ImageDigestMismatch">
        <source>The image file's MD5 digest is not the one given: it is not the intended file.</source>
        <extracomment>Image file check: MD5 differs from --md5</extracomment>
        <translation>映像文件的 MD5 摘要与给定值不符：这不是预期的文件。</translation>
    </message>
    <message id="Caption_MenuUpdateFromFile">
        <source>Update from a &amp;File…</source>
        <extracomment>File menu: writes an image file of the user's own (one that support sent)</extracomment>
        <translation>从文件更新(&amp;F)…</translation>
    </message>
    <message id="Caption_LocalImageTitle">
        <source>Update from a file</source>
        <extracomment>Header of the page that shows an image file before it is written</extracomment>
        <translation>从文件更新</translation>
    </message>
    <message id="Caption_ImageFile">
        <source>File</source>
        <extracomment>Image file page: the file's name follows</extracomment>
        <translation>文件</translation>
    </message>
    <message id="Caption_ImageSize">
        <source>Size (bytes)</source>
        <extracomment>Image file page: the file's size in bytes follows</extracomment>
        <translation>大小（字节）</translation>
    </message>
    <message id="Caption_DfuSuffix">
        <source>DFU suffix (vendor:product, version)</source>
        <extracomment>Image file page: the ids and release number from the file's DFU suffix follow</extracomment>
        <translation>DFU 后缀（厂商:产品，版本）</translation>
    </message>
    <message id="Info_ImagePublished">
        <source>This file is a published firmware:</source>
        <extracomment>Image file page: its MD5 matches the catalogue; version and models follow</extracomment>
        <translation>此文件是已发布的固件：</translation>
    </message>
    <message id="Warning_ImageNotPublished">
        <source>This file is not a published firmware: its MD5 matches no version in the catalogue. Write it only if Velt support sent it to you for this device.</source>
        <extracomment>Image file page: the MD5 matches no catalogue version</extracomment>
        <translation>此文件不是已发布的固件：其 MD5 与固件列表中的任何版本都不匹配。仅当 Velt 技术支持为此设备向您发送了此文件时才写入。</translation>
    </message>
    <message id="Caption_SupportSentThisFile">
        <source>Velt support sent me this file for this device</source>
        <extracomment>Image file page: check box the user must tick before Next for a file that is not published</extracomment>
        <translation>Velt 技术支持已为此设备向我发送了此文件</translation>
    </message>
</context>
</TS>
