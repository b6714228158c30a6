# Names a caller may choose, as login name or as the name of their users.tor
# record, for the tests of both sample BBS scripts: each one would run a
# command, or change what a script prints or decides, if a script let its
# shell parse it.  Every command they hold writes a file, so that a run
# that leaves a new file behind has run one.  Sourced by bash; the bytes
# are code page 866 where they are not ASCII.
#
# They come in groups by what they attack, so that a slow run of
# ringcall.bat (every name costs two cmd starts under Wine) is a case a
# group and a timeout names the group that ran over.
hostile_groups=(operators quotes shell text)

# cmd's command separators and redirections.
hostile_operators=(
  'Ivan&echo x>pwned.txt'
  'Ivan|echo x>pwned.txt'
  'Ivan ^&echo x>pwned.txt^'
  'Ivan)&echo x>pwned.txt&(x'
  'Ivan <nul >pwned.txt'
)
# Quotes that end a quoted argument, and cmd's expansions.
hostile_quotes=(
  'Ivan"&echo x>pwned.txt&"'
  '"Ivan Petrov"'
  '100%&echo x>pwned.txt&%RINGCHECK%'
  'Ivan!RINGCHECK!&echo x>pwned.txt!'
)
# What a POSIX shell would run or read as an option.
hostile_shell=(
  '$(echo x>pwned.txt)`echo x>p2`'
  ';echo x>pwned.txt; #'
  '-n \c\\x41\n'
)
# Text that a script could trim, glob, take for a switch or a label, or
# read in another code page.
hostile_text=(
  '  Ivan   Petrov  '
  '*'
  '/?'
  '::Ivan'
  'Ivan\'
  $'\x88\xA2\xA0\xAD \x8F\xA5\xE2\xE0\xAE\xA2&echo x>pwned.txt'
)
hostile_names=("${hostile_operators[@]}" "${hostile_quotes[@]}"
               "${hostile_shell[@]}" "${hostile_text[@]}")
