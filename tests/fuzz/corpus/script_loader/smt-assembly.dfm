<?xml version="1.0" encoding="UTF-8"?>
<!-- Checks an SMT line cares about, with limits tightened for fine-pitch parts, in mils. -->
<DFM_Script version="2.0">
  <Settings Units="1"/>
  <Test name="Component Package To Component Package"
        Package_1="SOIC" Package_2="QFP"
        Marginal_Top="25" Critical_Top="15" Marginal_Bottom="25" Critical_Bottom="15"/>
  <Test name="Routes Between SMT Pads" Pin_Pitch_Maximum="20"/>
  <Test name="Soldermask Clearance for SMT Components" Pin_Pitch_Maximum="20"/>
  <Test name="Via In SMT Pad"/>
  <Test name="Via Under Component"/>
  <Test name="Testpoint Center To Testpoint Center" Marginal_Distance="75" Critical_Distance="50"/>
  <Test name="Board Fiducials in Four Corners" Min_Corners="3"/>
  <Test name="Top Surface Thru-hole Component Orientation" Allowed_Rotations="0,180"/>
</DFM_Script>
