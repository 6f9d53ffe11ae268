# Writes the AppStream metainfo from dist/teijiroku.metainfo.xml.in. Included by the build, or run on its own:
#   cmake -DTEIJIROKU_APP_ID=... -DPROJECT_VERSION=... [-DTEIJIROKU_SCREENSHOT_URL=...]
#         -DMETAINFO_OUTPUT=<file> -P dist/Metainfo.cmake
# AppStream screenshots are pictures on the web. They are listed only when TEIJIROKU_SCREENSHOT_URL
# names the public folder that serves docs/screenshots/; without one the metainfo has no screenshots
# rather than addresses that lead nowhere.

set(metainfo_screenshots
    "Main.png|The main screen: the alliances' strategy offers of the year|メイン画面：各同盟に配られたその年の戦略"
    "Form2_opening.png|The opening|オープニング"
    "Form2.png|The title screen with two rulers picked|二人の君主を選んだタイトル画面"
    "Strate.png|An offer explained|戦略の説明"
    "Msg.png|The message window telling the year|一年の出来事を語るメッセージウィンドウ"
    "DLogReader.png|The chronicle|記録"
    "ALL_Gdata.png|The faction list|軍閥一覧")

set(TEIJIROKU_METAINFO_SCREENSHOTS "")
if(TEIJIROKU_SCREENSHOT_URL)
  string(REGEX REPLACE "/+$" "" base "${TEIJIROKU_SCREENSHOT_URL}")
  string(APPEND TEIJIROKU_METAINFO_SCREENSHOTS "  <screenshots>\n")
  set(kind " type=\"default\"")
  foreach(entry IN LISTS metainfo_screenshots)
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 picture)
    list(GET fields 1 caption)
    list(GET fields 2 caption_ja)
    string(APPEND TEIJIROKU_METAINFO_SCREENSHOTS
           "    <screenshot${kind}>\n"
           "      <caption>${caption}</caption>\n"
           "      <caption xml:lang=\"ja\">${caption_ja}</caption>\n"
           "      <image>${base}/${picture}</image>\n"
           "    </screenshot>\n")
    set(kind "")
  endforeach()
  string(APPEND TEIJIROKU_METAINFO_SCREENSHOTS "  </screenshots>\n")
endif()

configure_file(${CMAKE_CURRENT_LIST_DIR}/teijiroku.metainfo.xml.in ${METAINFO_OUTPUT} @ONLY)
