# Writes OUT, a source file that holds STYLE and SCRIPT as the texts kPageStyle and kPageScript.
file(READ "${STYLE}" style)
file(READ "${SCRIPT}" script)
file(WRITE "${OUT}" "// Made from report/html/page.css and page.js by report/html/embed.cmake.\n"
  "#include \"report/HtmlPageTexts.h\"\n"
  "const char* const lumora::report::kPageStyle = R\"lumora_page(${style})lumora_page\";\n"
  "const char* const lumora::report::kPageScript = R\"lumora_page(${script})lumora_page\";\n")
