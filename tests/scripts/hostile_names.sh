# Names a caller may choose, as login name or as the name of their users.tor
# record, for the tests of both sample BBS scripts: each one would run a
# command, or change what a script prints or decides, if a script let its
# shell parse it.  Every command they hold writes a file, so that a run
# that leaves a new file behind has run one.  Sourced by bash; the bytes
# are code page 866 where they are not ASCII.
hostile_names=(
  'Ivan&echo x>pwned.txt'
  'Ivan|echo x>pwned.txt'
  'Ivan ^&echo x>pwned.txt^'
  'Ivan)&echo x>pwned.txt&(x'
  'Ivan <nul >pwned.txt'
  'Ivan"&echo x>pwned.txt&"'
  '"Ivan Petrov"'
  '100%&echo x>pwned.txt&%RINGCHECK%'
  'Ivan!RINGCHECK!&echo x>pwned.txt!'
  '$(echo x>pwned.txt)`echo x>p2`'
  ';echo x>pwned.txt; #'
  '-n \c\\x41\n'
  '  Ivan   Petrov  '
  '*'
  '/?'
  '::Ivan'
  'Ivan\'
  $'\x88\xA2\xA0\xAD \x8F\xA5\xE2\xE0\xAE\xA2&echo x>pwned.txt'
)
