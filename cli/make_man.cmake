# Builds the veltrum-cli manual page from the same text as --help.
# cmake -DIN=help.txt -DOUT=veltrum-cli.1 -DVERSION=2.0d -P make_man.cmake
file(READ ${IN} text)
string(REPLACE "\\" "\\e" text "${text}")
string(REGEX REPLACE "\n([.'])" "\n\\\\&\\1" text "${text}")
file(WRITE ${OUT}
".TH VELTRUM-CLI 1 \"\" \"Veltrum ${VERSION}\" \"User Commands\"\n"
".SH NAME\nveltrum-cli \\- the Veltrum calculator and plotter without a window\n"
".SH DESCRIPTION\n.nf\n${text}.fi\n"
".SH SEE ALSO\nveltrum(1)\n")
