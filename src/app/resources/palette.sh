# The colours of the program's pictures (the icon and the editor's images),
# sourced by the scripts that draw them so that they stay one family.
ink='#1F3A6E'
amber='#F2A900'
