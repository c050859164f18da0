#include "tests/browser/dom_tree.h"

#include <gtest/gtest.h>

namespace {

TEST(DomTree, ReadsSerialisedHtml) {
  struct Case {
    const char* html;
    const char* text;      // textContent of the whole tree
    const char* element;   // an element to count
    std::size_t elements;  // how many of `element` there are
  };
  static const Case kCases[] = {
      {"<p>x &lt;b&gt; &amp;&#65;&#x42;&nbsp;</p>", "x <b> &AB\xC2\xA0", "b", 0},
      {"<p>a<br>b<img src=\"x\">c</p>", "abc", "p", 1},
      {"<td><font size=\"2\"><b>Bold</b></font></td>", "Bold", "b", 1},
      {"<script>if (a < b && c) {}</script>x", "if (a < b && c) {}x", "script", 1},
      {"<!DOCTYPE html><!-- <p> --><p></p>", "", "p", 1},
      {"<table><tbody><tr><td>1</td></tr>\n<tr><td>2</td></tr></tbody></table>", "1\n2", "tr", 2},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.html);
    DomNode root;
    std::string error;
    ASSERT_TRUE(parseDom(c.html, root, error)) << error;
    EXPECT_EQ(textContent(root), c.text);
    EXPECT_EQ(findElements(root, c.element).size(), c.elements);
  }
}

TEST(DomTree, DecodesAttributeValues) {
  DomNode root;
  std::string error;
  ASSERT_TRUE(parseDom("<td align=\"a &amp; &quot;b&quot;\" hidden=\"\"></td>", root, error))
      << error;
  const std::vector<std::pair<std::string, std::string>> expected = {{"align", "a & \"b\""},
                                                                     {"hidden", ""}};
  ASSERT_EQ(root.children.size(), 1U);
  EXPECT_EQ(root.children[0].attributes, expected);
}

TEST(DomTree, RejectsWhatTheBrowserNeverWrites) {
  static const char* const kCases[] = {
      "<p>x</b>", "<p>x", "</p>", "a &bogus; b", "a & b", "<p title=\"x></p>", "<script>x",
  };
  for (const char* html : kCases) {
    SCOPED_TRACE(html);
    DomNode root;
    std::string error;
    EXPECT_FALSE(parseDom(html, root, error));
    EXPECT_NE(error, "");
  }
}

}  // namespace
