; The installer's own English texts (NSIS's language file has the rest).
LangString NeedsAdministrator ${LANG_ENGLISH} "Installing or removing Hoarveil needs administrator rights: it writes to the Windows system folder.$\r$\nRun the installer again as an administrator."
LangString HoarveilRunning ${LANG_ENGLISH} "Hoarveil is running: its show or its settings are open.$\r$\nEnd it first (Esc ends the show), then choose Retry."
LangString FilesInUse ${LANG_ENGLISH} "Hoarveil.scr or Hoarveil.dll in $SYSDIR is in use by another program, perhaps the preview in the Screen Saver Settings.$\r$\nClose that window, then choose Retry."
LangString NothingChanged ${LANG_ENGLISH} "Stopped: nothing was changed."
LangString EndingProgram ${LANG_ENGLISH} "Hoarveil did not end when asked; ending it."
LangString FinishText ${LANG_ENGLISH} "Hoarveil is now your screen saver.$\r$\n$\r$\nTo choose its music or another saver, open the Screen Saver Settings (search for $\"screen saver$\" in the Start menu); $\"Settings...$\" there opens Hoarveil's own settings."
LangString RemoveSettings ${LANG_ENGLISH} "Also remove your Hoarveil settings (the music you chose)?"
