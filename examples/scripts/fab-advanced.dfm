<?xml version="1.0" encoding="UTF-8"?>
<!-- Board fabrication checks for an advanced process, in millimetres, for any board as it is (no
     panel tests). Below the advanced capability is Critical; below the standard one
     (fab-standard.dfm) is Marginal: it can be built, at the price of the finer process.
     - JLCPCB, "PCB Manufacturing Capabilities" (jlcpcb.com/capabilities), multi-layer column:
       trace width and spacing 3.5 mil (0.0889), via hole 0.2, via diameter 0.45, drill at most 6.3;
     - Rush PCB UK, "Technologies" (rushpcb.co.uk/capabilities/technologies), Advanced column:
       annular ring 8 mil over the drill (0.1016 a side), aspect ratio 12:1, solder mask web 3.4 mil (0.0864);
     - Eurocircuits, "Copper and the board edge": copper 0.25 from a break-routed edge.
     docs/dfm-profiles.md says more. -->
<DFM_Script version="2.0">
  <Settings Units="2"/>
  <Test name="Etch Width"
        Marginal_Top="0.127" Critical_Top="0.0889"
        Marginal_Inner="0.127" Critical_Inner="0.0889"
        Marginal_Bottom="0.127" Critical_Bottom="0.0889"
        Exclude_Nets_Containing=""/>
  <Test name="Distance Between Copper on Electrical Stackup Layers"
        Marginal_Distance="0.127" Critical_Distance="0.0889"
        No_Violation_If_On_Same_Net="Yes"/>
  <Test name="Thru-hole Components Annular Ring"
        Pad_Top_Annular_Ring_Minimum="0.1016" Pad_Bottom_Annular_Ring_Minimum="0.1016"
        Soldermask_Top_Annular_Ring_Minimum="0" Soldermask_Bottom_Annular_Ring_Minimum="0"/>
  <Test name="Via Hole Size"
        Minimum_Size="0.2" Maximum_Size="6.3" Ignore_Via_Holes_Below_Size="0"/>
  <Test name="Via Pad Size"
        Top_Minimum_Size="0.45" Top_Maximum_Size="0"
        Bottom_Minimum_Size="0.45" Bottom_Maximum_Size="0"
        Ignore_Via_Holes_Below_Size="0"/>
  <Test name="Thickness to Drill Diameter Maximum Aspect Ratio"
        Maximum_Ratio="12"/>
  <Test name="Soldermask Webbing"
        Marginal_Webbing="0.1016" Critical_Webbing="0.0864"/>
  <Test name="Minimum Etch Edge Clearance To Board Outline"
        Minimum_Distance_From_Edge="0.25" Test_Surface="Both"/>
  <Test name="Minimum Via Pad Edge Clearance To Board Outline"
        Minimum_Distance_From_Edge="0.25" Test_Surface="Both"/>
</DFM_Script>
