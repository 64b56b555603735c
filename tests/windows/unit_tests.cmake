# The unit tests that need no display, which the Windows build makes and the Linux build's
# tests run under Wine: one list for both.
set(HOARVEIL_WINDOWS_UNIT_TESTS snowfall_test dib_reader_test file_sharing_test private_profile_test saver_platform_test media_control_test text_encoding_test gradient_fill_test started_program_test settings_paths_test)
# Those whose results depend on the system's code page: run under 1252 and again under 932.
set(HOARVEIL_WINDOWS_CODE_PAGE_TESTS private_profile_test settings_paths_test)
