<?xml version="1.0"?>
<!DOCTYPE DFM_Script [<!ENTITY etch "Etch Width"><!ENTITY % p "x">]>
<DFM_Script version="2.0"><Settings Units="1"/><Test name="&etch;" Attribute_Value="R&amp;D &#65;"/></DFM_Script>
