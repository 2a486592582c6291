<?xml version="1.0" encoding="UTF-8"?>
<!-- "Etch Width" alone, with the limits of examples/scripts/all-tests.dfm: the desktop
     program's run against lumora-cli's on the same board (docs/performance.md). -->
<DFM_Script version="2.0">
  <Settings Units="0"/>
  <Test name="Etch Width"
        Marginal_Top="0.010"
        Critical_Top="0.005"
        Marginal_Inner="0.007"
        Critical_Inner="0.003"
        Marginal_Bottom="0.010"
        Critical_Bottom="0.005"
        Exclude_Nets_Containing="VCC,GND"/>
</DFM_Script>
