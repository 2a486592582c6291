<?xml version="1.0" encoding="UTF-8"?>
<DFM_Script version="2.0">
  <Settings Units="2"/>
  <Test name="Minimum Etch Edge Clearance To Board Outline" Minimum_Distance_From_Edge="0.25" Test_Surface="Both"/>
</DFM_Script>
