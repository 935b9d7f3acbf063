# help2man puts whatever --help prints before its options into DESCRIPTION:
# the program's one-line title (already the page's NAME) and the positional
# argument's heading. Drop the first and give the second a section of its own.
#   cmake -DPAGE=tavrinel-cli.1 -P tidy_manual.cmake
file(READ ${PAGE} text)
string(REGEX REPLACE "\n\\.PP\nTavrinel: [^\n]*\n" "\n" text "${text}")
string(REPLACE ".SS \"Positionals:\"" ".SH ARGUMENTS" text "${text}")
file(WRITE ${PAGE} "${text}")
