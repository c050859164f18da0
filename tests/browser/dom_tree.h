// A reader for the DOM that a browser dumps, back into a tree the browser
// tests can query. It reads HTML as the browser serialises it, which is far
// more regular than what authors write:
//
//  1. Every element has its end tag, except the void elements (br, img, ...).
//  2. Attribute values stand in double quotes; a bare attribute is written
//     name="".
//  3. Text escapes "&", "<", ">" and the no-break space as entities; attribute
//     values may use the same entities and "&quot;".
//  4. The contents of raw-text elements (script, style, ...) are written as
//     they are, up to their end tag.
//  5. Comments and the doctype carry nothing the tests look at and are
//     dropped.
//
// Anything else (an end tag that closes no open element, an unknown entity,
// a tag left open) is an error, so that a surprise in the browser's output
// fails a test loudly instead of being read as something it is not.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct DomNode {
  std::string name;  // element name in lower case; empty for a text node
  std::string text;  // a text node's text, entities decoded
  std::vector<std::pair<std::string, std::string>> attributes;
  std::vector<DomNode> children;

  bool isElement() const { return !name.empty(); }
};

// Parses `html` into the children of `root` (a node without a name). Returns
// false with a message naming the byte offset in `error` when `html` breaks a
// rule above; `root` is then incomplete.
bool parseDom(std::string_view html, DomNode& root, std::string& error);

// The text of `node` and all its descendants, in document order.
std::string textContent(const DomNode& node);

// Every element named `name` among the descendants of `node`, in document
// order. The pointers stay valid while the tree is unchanged.
std::vector<const DomNode*> findElements(const DomNode& node, std::string_view name);

// The element children of `node` named `name`, in order.
std::vector<const DomNode*> childElements(const DomNode& node, std::string_view name);
