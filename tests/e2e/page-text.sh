# Sourced by the scripts that write expected pages by hand
# (tests/e2e/make-cases.sh, tests/windows/make-utf16-cases.sh): the page's
# fixed text, typed out once. HEAD is the head and header row, FOOT the
# closing line; L, C and X the left and centred cell openings and the cell
# close of a data row.
HEAD='<html><head><title>TL2 Baits</title></head>
<body bgcolor="#FFFFFF"><p align="center"><font face="Arial"><strong><u>Tarnlure 2 loaded baits & Ideal hook sizes</u></strong></font></p>
<div align="center"><center><table border="1" cellpadding="2" cellspacing="0" width="80%"><tr>
<td bgcolor="#C0C0C0"><font size="2" face="Arial"><strong>Name</strong></font></td>
<td bgcolor="#C0C0C0"><font size="2" face="Arial"><strong>Type</strong></font></td>
<td bgcolor="#C0C0C0"><font size="2" face="Arial"><strong>Sizes</strong></font></td>
<td bgcolor="#C0C0C0"><font size="2" face="Arial"><strong>Hook 1pc small</strong></font></td>
<td bgcolor="#C0C0C0"><font size="2" face="Arial"><strong>Hook 1pc large</strong></font></td>
<td bgcolor="#C0C0C0"><font size="2" face="Arial"><strong>Hook 5pcs sml</strong></font></td>
<td bgcolor="#C0C0C0"><font size="2" face="Arial"><strong>Hook 5pcs Large</strong></font></td>
</tr>'
FOOT='</tr></table></center></div></body></html>'
L='<td><font size="2" face="Arial">'
C='<td align="center"><font size="2" face="Arial">'
X='</font></td>'
