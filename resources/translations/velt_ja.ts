<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: Apache-2.0 -->
<!-- Glossary: the words GNOME and KDE use in this language; keep to them.
     Next      次へ
     Back      戻る
     Quit      終了
     Finish    完了
     DFU mode  DFU モード
     firmware  ファームウェア -->
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name></name>
    <message id="Error_CouldNotRetrieveFirmwareList">
        <source>Could not retrieve the firmware list from the server. Check your internet connection and try again.</source>
        <extracomment>Catalogue fetch failed; followed by ' (code)'</extracomment>
        <translation>サーバーからファームウェア一覧を取得できませんでした。インターネット接続を確認して、もう一度お試しください。</translation>
    </message>
    <message id="Error_CouldNotReadFirmwareList">
        <source>The firmware list from the server could not be read.</source>
        <extracomment>Catalogue is not readable; followed by ' (code)'</extracomment>
        <translation>サーバーのファームウェア一覧を読み取れませんでした。</translation>
    </message>
    <message id="Error_NoFirmwareAvailable">
        <source>No firmware is available for this model.</source>
        <extracomment>The chosen model has no firmware</extracomment>
        <translation>このモデル用のファームウェアはありません。</translation>
    </message>
    <message id="Info_NumberOfFirmwareVersionsAvailable">
        <source>Firmware versions available for this model: %d</source>
        <extracomment>Exactly one %d: the number of versions</extracomment>
        <translation>このモデルで利用できるファームウェアのバージョン数: %d</translation>
    </message>
    <message id="Caption_OriginalVersion">
        <source>original</source>
        <extracomment>Shown in parentheses after the first version of a model</extracomment>
        <translation>出荷時</translation>
    </message>
    <message id="Caption_NewestVersion">
        <source>newest</source>
        <extracomment>Shown in parentheses after the last version of a model</extracomment>
        <translation>最新</translation>
    </message>
    <message id="Caption_ReleaseDate">
        <source>Release date</source>
        <extracomment>Followed by ': ' and the release date</extracomment>
        <translation>リリース日</translation>
    </message>
    <message id="Error_CodeInconsistency">
        <source>This version is listed for the model but is missing from the firmware list. Choose another version.</source>
        <extracomment>The picked version is missing from the firmware list</extracomment>
        <translation>このバージョンはモデル用に記載されていますが、ファームウェア一覧にありません。別のバージョンを選んでください。</translation>
    </message>
    <message id="Caption_VersionInfo">
        <source>Firmware version: </source>
        <extracomment>Directly followed by the version name; include any separator</extracomment>
        <translation>ファームウェアのバージョン: </translation>
    </message>
    <message id="Info_DownloadingFirmwareFromServer">
        <source>Downloading the firmware from the server…</source>
        <extracomment>Status while the image downloads</extracomment>
        <translation>サーバーからファームウェアをダウンロードしています…</translation>
    </message>
    <message id="Error_CouldNotDownLoadFirmware">
        <source>Could not download the firmware (HTTP status %d).</source>
        <extracomment>Exactly one %d: the HTTP status code</extracomment>
        <translation>ファームウェアをダウンロードできませんでした (HTTP ステータス %d)。</translation>
    </message>
    <message id="Error_FileHashDoesNotMatch">
        <source>The downloaded firmware is damaged: its checksum does not match. Please try again.</source>
        <extracomment>MD5 of the download differs from the firmware list</extracomment>
        <translation>ダウンロードしたファームウェアが破損しています (チェックサムが一致しません)。もう一度お試しください。</translation>
    </message>
    <message id="Info_Preparing">
        <source>Firmware verified. Preparing to write it to the device…</source>
        <extracomment>Image verified; flashing starts shortly</extracomment>
        <translation>ファームウェアを確認しました。デバイスへの書き込みを準備しています…</translation>
    </message>
    <message id="Description_DFUMode">
        <source>The device could not be found in DFU mode. Put it into DFU mode, connect it, and try again.</source>
        <extracomment>The device is not in DFU mode</extracomment>
        <translation>DFU モードのデバイスが見つかりませんでした。デバイスを DFU モードにして接続し、もう一度お試しください。</translation>
    </message>
    <message id="Error_FailedToGetStatus">
        <source>The device stopped responding while the firmware was being written. Reconnect it in DFU mode and try again.</source>
        <extracomment>The device stopped answering status requests</extracomment>
        <translation>ファームウェアの書き込み中にデバイスが応答しなくなりました。DFU モードで接続し直して、もう一度お試しください。</translation>
    </message>
    <message id="Info_Writing">
        <source>Writing the firmware to the device. Do not disconnect it…</source>
        <extracomment>Status while the device is written</extracomment>
        <translation>デバイスにファームウェアを書き込んでいます。接続を外さないでください…</translation>
    </message>
    <message id="Info_Finishing">
        <source>Finishing…</source>
        <extracomment>Status once more than 99 per cent is written</extracomment>
        <translation>仕上げています…</translation>
    </message>
    <message id="Info_TimeLeftSeconds" numerus="yes">
        <source>About %n seconds left</source>
        <extracomment>Beside the progress bar while downloading or writing; %n is a multiple of 5 under 60</extracomment>
        <translation>
            <numerusform>残り約 %n 秒</numerusform>
        </translation>
    </message>
    <message id="Info_TimeLeftMinutes" numerus="yes">
        <source>About %n minutes left</source>
        <extracomment>Beside the progress bar while downloading or writing; %n whole minutes</extracomment>
        <translation>
            <numerusform>残り約 %n 分</numerusform>
        </translation>
    </message>
    <message id="Info_DeviceInstalling">
        <source>The device is installing the firmware. Keep it connected.</source>
        <extracomment>Beside the progress bar once the device has the whole image and applies it</extracomment>
        <translation>デバイスがファームウェアをインストールしています。接続したままにしてください。</translation>
    </message>
    <message id="Info_WriteSucceeded">
        <source>The firmware was updated successfully. You can now disconnect the device.</source>
        <extracomment>The update succeeded</extracomment>
        <translation>ファームウェアの更新が完了しました。デバイスを取り外してかまいません。</translation>
    </message>
    <message id="ButtonCaption_Finish">
        <source>Finish</source>
        <extracomment>Button that quits after success</extracomment>
        <translation>完了</translation>
    </message>
    <message id="Error_Generic">
        <source>The update failed.</source>
        <extracomment>Status text after any failure</extracomment>
        <translation>更新に失敗しました。</translation>
    </message>
    <message id="Error_FlashingToolUnavailable">
        <source>The firmware writing tool could not be started. Please reinstall Velt Firmware Updater.</source>
        <extracomment>The bundled flashing tool is missing or cannot be started</extracomment>
        <translation>ファームウェア書き込みツールを起動できませんでした。Velt Firmware Updater を再インストールしてください。</translation>
    </message>
    <message id="Error_DownloadIncomplete">
        <source>The download ended before the whole firmware file arrived. Check your internet connection and try again.</source>
        <extracomment>The connection ended before the whole firmware file arrived</extracomment>
        <translation>ファームウェアファイルを最後まで受信する前にダウンロードが終了しました。インターネット接続を確認して、もう一度お試しください。</translation>
    </message>
    <message id="Error_DownloadTimedOut">
        <source>The firmware server stopped answering. Check your internet connection and try again.</source>
        <extracomment>The download of the firmware file timed out</extracomment>
        <translation>ファームウェアサーバーからの応答が途絶えました。インターネット接続を確認して、もう一度お試しください。</translation>
    </message>
    <message id="Error_FirmwareTooLarge">
        <source>The firmware file offered by the server is too large (over 256 MiB) and was refused.</source>
        <extracomment>The server offered a file over 256 MiB</extracomment>
        <translation>サーバーのファームウェアファイルが大きすぎる (256 MiB 超) ため、受け付けませんでした。</translation>
    </message>
    <message id="Error_NoFirmwareSelected">
        <source>No firmware version has been chosen. Go back and choose one.</source>
        <extracomment>The update page was reached without a chosen version</extracomment>
        <translation>ファームウェアのバージョンが選ばれていません。戻って選んでください。</translation>
    </message>
    <message id="Error_InvalidDownloadAddress">
        <source>The download address of this firmware is invalid.</source>
        <extracomment>The firmware's download address cannot be formed</extracomment>
        <translation>このファームウェアのダウンロードアドレスが正しくありません。</translation>
    </message>
    <message id="Error_NoDocumentsFolder">
        <source>Your Documents folder could not be found or created.</source>
        <extracomment>No Documents folder to store the image</extracomment>
        <translation>書類フォルダーが見つからないか、作成できませんでした。</translation>
    </message>
    <message id="Error_CouldNotSaveFirmware">
        <source>The firmware could not be saved to your Documents folder.</source>
        <extracomment>Writing the image file failed; the system's reason follows</extracomment>
        <translation>ファームウェアを書類フォルダーに保存できませんでした。</translation>
    </message>
    <message id="Caption_MenuFile">
        <source>&amp;File</source>
        <extracomment>Menu title; &amp; marks the access key</extracomment>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message id="Caption_MenuQuit">
        <source>&amp;Quit</source>
        <extracomment>Menu command that quits the application</extracomment>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message id="Caption_MenuHelp">
        <source>&amp;Help</source>
        <extracomment>Menu title; &amp; marks the access key</extracomment>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message id="Caption_MenuAbout">
        <source>&amp;About Velt Firmware Updater</source>
        <extracomment>Menu command showing the About box</extracomment>
        <translation>Velt Firmware Updater について(&amp;A)</translation>
    </message>
    <message id="Caption_AboutVersion">
        <source>Version</source>
        <extracomment>About box; followed by a space and the version number</extracomment>
        <translation>バージョン</translation>
    </message>
    <message id="Description_About">
        <source>Updates the firmware of Velt USB audio devices.</source>
        <extracomment>About box description</extracomment>
        <translation>Velt USB オーディオデバイスのファームウェアをアップデートします。</translation>
    </message>
    <message id="Caption_IntroTitle">
        <source>Welcome to Velt Firmware Updater</source>
        <extracomment>Header of the first page</extracomment>
        <translation>Velt Firmware Updater へようこそ</translation>
    </message>
    <message id="Description_Intro">
        <source>This assistant installs new firmware on your Velt USB audio device. You choose your device model and a firmware version and put the device into DFU mode; the updater then downloads the firmware and writes it to the device.

The list of available firmware is loaded from the Velt server when this page opens. Click Next as soon as it becomes available.</source>
        <extracomment>Explanation on the first page</extracomment>
        <translation>このアシスタントは、Velt USB オーディオデバイスに新しいファームウェアをインストールします。デバイスのモデルとファームウェアのバージョンを選び、デバイスを DFU モードにすると、アップデーターがファームウェアをダウンロードしてデバイスに書き込みます。

このページを開くと、利用できるファームウェアの一覧を Velt のサーバーから読み込みます。「次へ」が押せるようになったらクリックしてください。</translation>
    </message>
    <message id="Caption_SelectModelTitle">
        <source>Choose your device model</source>
        <extracomment>Header of the model page</extracomment>
        <translation>デバイスのモデルを選択</translation>
    </message>
    <message id="Description_SelectModel">
        <source>Select the model of the device you want to update.</source>
        <extracomment>Explanation on the model page</extracomment>
        <translation>アップデートするデバイスのモデルを選択してください。</translation>
    </message>
    <message id="Caption_Model">
        <source>Model:</source>
        <extracomment>Label before the model list</extracomment>
        <translation>モデル:</translation>
    </message>
    <message id="Caption_SelectVersionTitle">
        <source>Choose a firmware version</source>
        <extracomment>Header of the version page</extracomment>
        <translation>ファームウェアのバージョンを選択</translation>
    </message>
    <message id="Description_SelectVersion">
        <source>The newest version is selected. You can choose an earlier version instead, for example to return to one you used before.</source>
        <extracomment>Explanation on the version page</extracomment>
        <translation>最新のバージョンが選択されています。以前に使っていたバージョンに戻す場合などは、古いバージョンを選ぶこともできます。</translation>
    </message>
    <message id="Caption_Version">
        <source>Version:</source>
        <extracomment>Label before the version list</extracomment>
        <translation>バージョン:</translation>
    </message>
    <message id="Caption_DFUSetupTitle">
        <source>Put the device into DFU mode</source>
        <extracomment>Header of the DFU instructions page</extracomment>
        <translation>デバイスを DFU モードにする</translation>
    </message>
    <message id="Description_DFUSetup">
        <source>To receive new firmware, the device must be in DFU (Device Firmware Upgrade) mode:

1. Switch the device off and disconnect its USB cable.
2. Press and hold the device's DFU button (your device's manual shows where it is).
3. While holding the button, connect the device to this computer with the USB cable.
4. Release the button when the status light starts blinking. The device is now in DFU mode.

Click Next to start the update. Keep the device connected until the update has finished.</source>
        <extracomment>Step-by-step instructions for entering DFU mode</extracomment>
        <translation>新しいファームウェアを受け取るには、デバイスを DFU(Device Firmware Upgrade)モードにする必要があります。

1. デバイスの電源を切り、USB ケーブルを外します。
2. デバイスの DFU ボタンを押し続けます(ボタンの位置はデバイスの取扱説明書をご覧ください)。
3. ボタンを押したまま、USB ケーブルでデバイスをこのコンピューターに接続します。
4. ステータスランプが点滅し始めたらボタンを離します。これでデバイスは DFU モードになりました。

「次へ」をクリックするとアップデートが始まります。アップデートが終わるまでデバイスを接続したままにしてください。</translation>
    </message>
    <message id="Caption_UpdateTitle">
        <source>Updating the firmware</source>
        <extracomment>Header of the update page</extracomment>
        <translation>ファームウェアをアップデート中</translation>
    </message>
    <message id="Description_UpdateNotice">
        <source>Keep the device connected and switched on until the update has finished. The updater cannot be closed while the firmware is being written.</source>
        <extracomment>Notice on the update page</extracomment>
        <translation>アップデートが終わるまで、デバイスを接続して電源を入れたままにしてください。ファームウェアの書き込み中はアップデーターを終了できません。</translation>
    </message>
    <message id="ButtonCaption_Next">
        <source>Next</source>
        <extracomment>Button to the next page</extracomment>
        <translation>次へ</translation>
    </message>
    <message id="ButtonCaption_Back">
        <source>Back</source>
        <extracomment>Button back to the previous page</extracomment>
        <translation>戻る</translation>
    </message>
    <message id="Caption_AccessibleModelList">
        <source>Device model</source>
        <extracomment>Accessible name of the model list</extracomment>
        <translation>デバイスのモデル</translation>
    </message>
    <message id="Caption_AccessibleMessages">
        <source>Messages</source>
        <extracomment>Accessible name of the model page's message area</extracomment>
        <translation>メッセージ</translation>
    </message>
    <message id="Caption_AccessibleVersionList">
        <source>Firmware version</source>
        <extracomment>Accessible name of the version list</extracomment>
        <translation>ファームウェアのバージョン</translation>
    </message>
    <message id="Caption_AccessibleVersionInfo">
        <source>Version information</source>
        <extracomment>Accessible name of the version page's information area</extracomment>
        <translation>バージョン情報</translation>
    </message>
    <message id="Caption_AccessibleInstructions">
        <source>Instructions</source>
        <extracomment>Accessible name of the DFU instructions</extracomment>
        <translation>手順</translation>
    </message>
    <message id="Caption_AccessibleProgress">
        <source>Update progress</source>
        <extracomment>Accessible name of the progress bar</extracomment>
        <translation>アップデートの進行状況</translation>
    </message>
    <message id="Caption_AccessibleStatus">
        <source>Update status</source>
        <extracomment>Accessible name of the update page's status area</extracomment>
        <translation>アップデートの状態</translation>
    </message>
    <message id="Error_FlashingToolFailed">
        <source>Writing the firmware failed, and the writing tool gave no reason. Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool failed without a readable reason; its exit status follows on a line of its own</extracomment>
        <translation>ファームウェアの書き込みに失敗しました (書き込みツールは理由を示しませんでした)。デバイスを DFU モードで接続し直して、もう一度お試しください。</translation>
    </message>
    <message id="Caption_MenuCopyDiagnostics">
        <source>&amp;Copy Diagnostics</source>
        <extracomment>Help menu: copies this run's diagnostic lines to the clipboard for a support request</extracomment>
        <translation>診断情報をコピー(&amp;C)</translation>
    </message>
    <message id="Caption_MenuOpenLogFolder">
        <source>Open &amp;Log Folder</source>
        <extracomment>Help menu: opens the folder that keeps the diagnostics log</extracomment>
        <translation>ログフォルダーを開く(&amp;L)</translation>
    </message>
    <message id="Info_DeviceConnected">
        <source>A device in DFU mode is connected.</source>
        <extracomment>DFU setup page status: the device in DFU mode is present</extracomment>
        <translation>DFU モードのデバイスが接続されています。</translation>
    </message>
    <message id="Info_DeviceNotFound">
        <source>No device in DFU mode found yet. Connect it with its USB cable and put it into DFU mode as shown above.</source>
        <extracomment>DFU setup page status: no device in DFU mode; one line with a hint</extracomment>
        <translation>DFU モードのデバイスはまだ見つかりません。USB ケーブルで接続し、上の手順で DFU モードにしてください。</translation>
    </message>
    <message id="Info_DeviceSeveral">
        <source>Connect only the device you want to update.</source>
        <extracomment>DFU setup page status and alert: more than one device in DFU mode is connected</extracomment>
        <translation>更新するデバイスだけを接続してください。</translation>
    </message>
    <message id="Info_DeviceDeniedReconnect">
        <source>You are not allowed to use the device yet. Unplug it and connect it again.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device although the udev rule is installed, local session</extracomment>
        <translation>まだデバイスを使用する権限がありません。デバイスを取り外して、もう一度接続してください。</translation>
    </message>
    <message id="Info_DeviceDeniedRemote">
        <source>This session is not at the computer's own screen and keyboard, so it may not use the device. Sign in at the computer, or ask the administrator to add the group rule described in the README.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device in a session that is not at the local seat (e.g. over SSH)</extracomment>
        <translation>このセッションはコンピューター本体の画面とキーボードからのものではないため、デバイスを使用できません。コンピューター本体でサインインするか、README に記載されたグループ用ルールの追加を管理者に依頼してください。</translation>
    </message>
    <message id="Info_DeviceDeniedNoRule">
        <source>You are not allowed to use the device. Install the rule file 70-velt-dfu.rules in /etc/udev/rules.d, then unplug the device and connect it again.</source>
        <extracomment>DFU setup page status and alert: no permission to open the device and the udev rule is not installed; names the file</extracomment>
        <translation>デバイスを使用する権限がありません。ルールファイル 70-velt-dfu.rules を /etc/udev/rules.d にインストールしてから、デバイスを取り外してもう一度接続してください。</translation>
    </message>
    <message id="Info_DeviceBusy">
        <source>Another program is using the device. Close that program, then try again.</source>
        <extracomment>DFU setup page status and alert: another program holds the device</extracomment>
        <translation>別のプログラムがデバイスを使用しています。そのプログラムを終了してから、もう一度お試しください。</translation>
    </message>
    <message id="Description_InhibitSleep">
        <source>Firmware is being written to the device; interrupting it could leave the device unusable.</source>
        <extracomment>Shown by the desktop when the user tries to suspend or shut down while the device is written</extracomment>
        <translation>デバイスにファームウェアを書き込んでいます。中断するとデバイスが使えなくなるおそれがあります。</translation>
    </message>
    <message id="Error_CouldNotOpenLogFolder">
        <source>The log folder could not be opened. Its path is in the details.</source>
        <extracomment>Help menu: the file manager could not show the log folder; the folder's path follows behind the details button</extracomment>
        <translation>ログフォルダーを開けませんでした。フォルダーの場所は詳細に記載されています。</translation>
    </message>
    <message id="Error_AlreadyRunning">
        <source>Velt Firmware Updater is already running. Use the window that is open, or quit it before starting the updater again.</source>
        <extracomment>A second start of the application while one instance runs for this user; it ends after this alert</extracomment>
        <translation>Velt Firmware Updater はすでに起動しています。開いているウィンドウを使うか、終了してからもう一度起動してください。</translation>
    </message>
    <message id="Error_FlashingToolNotResponding">
        <source>The firmware writing tool stopped responding and was ended. Reconnect the device in DFU mode and try again.</source>
        <extracomment>The flashing tool printed nothing for minutes and was stopped</extracomment>
        <translation>ファームウェア書き込みツールが応答しなくなったため終了しました。デバイスを DFU モードで接続し直して、もう一度お試しください。</translation>
    </message>
    <message id="Error_DownloadTooManyRedirects">
        <source>The firmware server redirected the download too many times.</source>
        <extracomment>The image download was redirected more than 50 times (a loop on the server)</extracomment>
        <translation>ファームウェアサーバーがダウンロードを何度も転送したため、中止しました。</translation>
    </message>
    <message id="Error_DownloadRedirectRefused">
        <source>The firmware server sent the download to an address that is not allowed.</source>
        <extracomment>The server redirected the image download to an address the updater does not trust; the reason follows</extracomment>
        <translation>ファームウェアサーバーが許可されていないアドレスへダウンロードを転送しました。</translation>
    </message>
    <message id="Error_DeviceDidNotAnswer">
        <source>The device did not answer, so no firmware was written. Reconnect it in DFU mode and try again.</source>
        <extracomment>Five attempts ended before any firmware was written: the device never answered</extracomment>
        <translation>デバイスが応答しなかったため、ファームウェアは書き込まれませんでした。DFU モードで接続し直して、もう一度お試しください。</translation>
    </message>
</context>
</TS>
