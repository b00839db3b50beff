// The listing mode of the built rxnconv on a model made to exercise it
// (tests/models/listing/listing_features.xml): the document is compared whole, with the texts
// the reader makes and the converter escapes, and must be well-formed XML.
#include <gtest/gtest.h>

#include "rxnconv_runner.h"
#include "xml_check.h"

using namespace zymorax::testkit;

// In the model: a title and notes with all five special characters; species named A&B, <C>,
// "D" and E'; in the Metabolic layer a reaction that is not convertible (group "first"), one
// without group, one of group "first" after it, and one of type none; in the second
// Gene-Protein layer two transcriptions of group "G". The first Gene-Protein layer is empty.
TEST(RxnconvListing, EscapesSortsMergesAndLeavesOut) {
    RxnconvRunner rx;
    RxnconvRun run =
        rx.run({"-C" + source_dir() + "/tests/models/listing/listing_features.xml", "-Plist.xml"});
    EXPECT_EQ(run.status, 0) << run.log;
    EXPECT_EQ(run.log, "");
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(read_file(rx.file("list.xml")),
              "<chemical_eqs>\n"
              "    <title>Tom &amp; Jerry&#39;s &lt;&quot;net&quot;&gt;</title>\n"
              "    <memo>Fluxes &amp; &quot;regulation&quot; of &lt;G&gt;, &#39;in "
              "short&#39;.</memo>\n"
              // An empty layer still writes its tags.
              "    <equations layer=\"Gene-Protein\">\n"
              "    </equations>\n"
              // The merged group: the line-break marker escaped, the second text on a new line.
              "    <equations layer=\"Gene-Protein\">\n"
              "        <equation>\n"
              "            G -&gt; M [Act]&lt;/br&gt;\n"
              "            G -&gt; M, repressed by &lt;Rep&gt;\n"
              "        </equation>\n"
              "    </equations>\n"
              // Group "first" (the number of its first reaction) before the later ungrouped
              // reaction; the unconvertible and the type-none reactions are left out.
              "    <equations layer=\"Metabolic\">\n"
              "        <equation>\n"
              "            2 &quot;D&quot; &lt;=&gt; E&#39;\n"
              "        </equation>\n"
              "        <equation>\n"
              "            A&amp;B -&gt; &lt;C&gt;\n"
              "        </equation>\n"
              "    </equations>\n"
              "</chemical_eqs>\n");
    EXPECT_EQ(xml_wellformedness_errors(rx.file("list.xml")), "");
}
