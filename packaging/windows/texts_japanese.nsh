; インストーラー独自の日本語の文言（ほかは NSIS の言語ファイルにあります）。
LangString NeedsAdministrator ${LANG_JAPANESE} "Hoarveil のインストールと削除には管理者の権限が要ります（Windows のシステム フォルダーに書き込むため）。$\r$\n管理者としてもう一度実行してください。"
LangString HoarveilRunning ${LANG_JAPANESE} "Hoarveil が動いています（表示中、または設定画面が開いています）。$\r$\n先に終了してから（表示は Esc キーで終わります）「再試行」を選んでください。"
LangString FilesInUse ${LANG_JAPANESE} "$SYSDIR の Hoarveil.scr または Hoarveil.dll を別のプログラムが使っています（スクリーン セーバーの設定のプレビューなど）。$\r$\nそのウィンドウを閉じてから「再試行」を選んでください。"
LangString NothingChanged ${LANG_JAPANESE} "中止しました。何も変更していません。"
LangString EndingProgram ${LANG_JAPANESE} "Hoarveil が終了しないため、終了させます。"
LangString FinishText ${LANG_JAPANESE} "Hoarveil がスクリーン セーバーになりました。$\r$\n$\r$\n音楽や別のスクリーン セーバーを選ぶには、スクリーン セーバーの設定を開いてください（スタート メニューで「スクリーン セーバー」を検索）。そこの「設定」で Hoarveil の設定画面が開きます。"
LangString RemoveSettings ${LANG_JAPANESE} "Hoarveil の設定（選んだ音楽など）も削除しますか？"
