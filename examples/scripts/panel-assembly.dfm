<?xml version="1.0" encoding="UTF-8"?>
<!-- Panel checks for SMT assembly, in millimetres, for a design that holds a panel. Every limit is
     a published assembly house's requirement; a value beyond it is Critical:
     - JLCPCB, "How to add edge rails/fiducials for PCB assembly order" (help article 48): edge rails
       of 5 or more, 3 to 4 fiducials of 1 with a mask opening of twice that (0.5 of clear board
       round the copper), fiducials 3.35 or more from the edge;
     - JLCPCB, "Specifications for Adding Process Edges and Positioning Holes" (help article 2061):
       fiducials 3.58 from the panel edge on 5 mm process edges;
     - JLCPCB, "PCB Manufacturing Capabilities": a panel of at most 400 x 500.
     docs/dfm-profiles.md says more. -->
<DFM_Script version="2.0">
  <Settings Units="2"/>
  <Test name="Panel Dimensions"
        Minimum_Width="0" Maximum_Width="400"
        Minimum_Length="0" Maximum_Length="500"/>
  <Test name="Panel Fiducials In Corners "
        Min_Distance_From_Rail_Edge="3.35" Max_Distance_From_Rail_Edge="5"
        Min_Distance_From_Leading_Trailing_Edge="3.35" Max_Distance_From_Leading_Trailing_Edge="5"
        Min_Corners="3" Test_Surface="Both"/>
  <Test name="Fiducial Clearance To Panel Edge"
        Min_Clearance_From_Rail_Edge="3.35"
        Min_Clearance_From_Leading_Trailing_Edge="3.35"/>
  <Test name="All Components Clearance To Panel Edges"
        Min_Clearance_From_Rail_Edge_For_Top_Components="5"
        Min_Clearance_From_Rail_Edge_For_Bottom_Components="5"
        Min_Clearance_From_Leading_Trailing_Edge_For_Top_Components="0"
        Min_Clearance_From_Leading_Trailing_Edge_For_Bottom_Components="0"
        Ignore_Tooling="Yes" Ignore_Fiducial="Yes"/>
  <Test name="Panel Fiducial Keepout"
        Test_Surface="Both" Marginal_Distance="0.5" Critical_Distance="0.5"
        Component_Packages="Yes" Component_Pins="Yes" Vias="Yes" Etches="Yes"
        Fiducials="Yes" Tooling_Holes="Yes" Board_Outline="Yes" Panel_Outline="Yes"/>
</DFM_Script>
