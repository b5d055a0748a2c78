# Run by `cmake --install` on Linux: the package's desktop entry, made to start
# the program and show the icon from the folder it was installed into. The path
# is quoted as a desktop entry quotes an argument: a folder such as Wine's
# "Program Files" holds spaces.
set(program "${CMAKE_INSTALL_PREFIX}/KelvoraSkinManager")
string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" quoted "${program}")
string(REPLACE "\\" "\\\\" quoted "${quoted}") # the value's own escapes come on top
string(REPLACE "%" "%%" quoted "${quoted}") # not a field code
set(KSM_DESKTOP_PROGRAM "\"${quoted}\"")
string(REPLACE "\\" "\\\\" KSM_DESKTOP_ICON "${CMAKE_INSTALL_PREFIX}/kelvora-skin-manager.png")
configure_file("${CMAKE_CURRENT_LIST_DIR}/kelvora-skin-manager.desktop.in"
               "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/kelvora-skin-manager.desktop" @ONLY)
