<?xml version="1.0" encoding="UTF-8"?>
<!-- Board fabrication checks for a standard process, in millimetres, for any board as it is (no
     panel tests). Every limit is a published fab capability; a value below it is Critical:
     - JLCPCB, "PCB Manufacturing Capabilities" (jlcpcb.com/capabilities), single- and double-layer
       column: trace width and spacing 5 mil (0.127), via hole 0.3, via diameter 0.6, drill at most 6.3;
     - Rush PCB UK, "Technologies" (rushpcb.co.uk/capabilities/technologies), Standard column:
       annular ring 10 mil over the drill (0.127 a side), aspect ratio 10:1, solder mask web 4 mil (0.1016);
     - Eurocircuits, "Copper and the board edge": copper 0.25 from a break-routed edge.
     docs/dfm-profiles.md says more. -->
<DFM_Script version="2.0">
  <Settings Units="2"/>
  <Test name="Etch Width"
        Marginal_Top="0.127" Critical_Top="0.127"
        Marginal_Inner="0.127" Critical_Inner="0.127"
        Marginal_Bottom="0.127" Critical_Bottom="0.127"
        Exclude_Nets_Containing=""/>
  <Test name="Distance Between Copper on Electrical Stackup Layers"
        Marginal_Distance="0.127" Critical_Distance="0.127"
        No_Violation_If_On_Same_Net="Yes"/>
  <Test name="Thru-hole Components Annular Ring"
        Pad_Top_Annular_Ring_Minimum="0.127" Pad_Bottom_Annular_Ring_Minimum="0.127"
        Soldermask_Top_Annular_Ring_Minimum="0" Soldermask_Bottom_Annular_Ring_Minimum="0"/>
  <Test name="Via Hole Size"
        Minimum_Size="0.3" Maximum_Size="6.3" Ignore_Via_Holes_Below_Size="0"/>
  <Test name="Via Pad Size"
        Top_Minimum_Size="0.6" Top_Maximum_Size="0"
        Bottom_Minimum_Size="0.6" Bottom_Maximum_Size="0"
        Ignore_Via_Holes_Below_Size="0"/>
  <Test name="Thickness to Drill Diameter Maximum Aspect Ratio"
        Maximum_Ratio="10"/>
  <Test name="Soldermask Webbing"
        Marginal_Webbing="0.1016" Critical_Webbing="0.1016"/>
  <Test name="Minimum Etch Edge Clearance To Board Outline"
        Minimum_Distance_From_Edge="0.25" Test_Surface="Both"/>
  <Test name="Minimum Via Pad Edge Clearance To Board Outline"
        Minimum_Distance_From_Edge="0.25" Test_Surface="Both"/>
</DFM_Script>
