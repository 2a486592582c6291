<?xml version="1.0" encoding="UTF-8"?>
<DFM_Script version="2.0">
  <Settings Units="1"/>
  <Test name="Via In SMT Pad"/>
</DFM_Script>
