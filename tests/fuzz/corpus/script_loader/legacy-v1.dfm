<?xml version="1.0" encoding="UTF-8"?>
<!-- A script in the old 1.0 form: "Name" keys and legacy distance checks. They load, translate
     their parameters and validate, but only current tests run. -->
<DFM_Script version="1.0">
  <Settings Units="0"/>
  <Test Name="Distance Check Vias and Vias" Run_Cases="5"
        topMarginal_Distance="0.010" topCritical_Distance="0.006" topAcceptable_Distance="0.012"
        bottomMarginal_Distance="0.010" bottomCritical_Distance="0.006"/>
  <Test Name="Distance Check By Component Package Top" PackageType_1="SOIC" PackageType_2="SOIC"
        Marginal_Distance="0.030" Critical_Distance="0.020" Acceptable_Distance="0.040"/>
  <Test Name="Spacing Check Component Shadow" Marginal_Top_Distance="0.050" Critical_Top_Distance="0.025"/>
  <Test Name="Angle Check Acid Traps" Marginal_Angle="90" Critical_Angle="60"/>
  <Test Name="Etch Width" Marginal_Top="0.006" Critical_Top="0.004"/>
</DFM_Script>
