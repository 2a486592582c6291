<DFM_Script version="2.0">
  <Test name="Etch Width">
</DFM_Script>
