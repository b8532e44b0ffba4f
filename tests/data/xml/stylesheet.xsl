<?xml version="1.0"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" indent="yes"/>

  <!-- Entry point -->
  <xsl:template match="/">
    <html>
      <body>
	<h2>My CD Collection</h2>
	<table border="1">
	  <tr bgcolor="#9acd32"><th>Title</th><th>Artist</th></tr>
	  <xsl:for-each select="catalog/cd[price &gt; 10]">
	    <xsl:sort select="artist"/>
	    <tr>
	      <td><xsl:value-of select="title"/></td>
	      <td><xsl:value-of select="artist"/>&#160;&amp;&#xA0;</td>
	    </tr>
	  </xsl:for-each>
	</table>
      </body>
    </html>
  </xsl:template>

  <xsl:template match="cd[@year &lt; 1990]">
    <xsl:if test="price > 9 and price < 20">cheap &amp cheerful</xsl:if>
  </xsl:template>
</xsl:stylesheet>
