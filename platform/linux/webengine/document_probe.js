// Runs in every frame of a web view, apart from the page's own scripts. When a frame has
// loaded, it tells the view so; the top-level frame sends its document's inner markup along,
// written as the page's innerHTML would be but with tag names in upper case, as the old
// browser control wrote them. Run again later, its value is that markup.
var tolvaneMarkup = (function () {
    "use strict";
    var token = "@TOKEN@";
    var voidElements = {
        AREA: 1, BASE: 1, BASEFONT: 1, BGSOUND: 1, BR: 1, COL: 1, EMBED: 1, FRAME: 1, HR: 1,
        IMG: 1, INPUT: 1, KEYGEN: 1, LINK: 1, META: 1, PARAM: 1, SOURCE: 1, TRACK: 1, WBR: 1
    };
    // Elements whose text innerHTML writes as it stands.
    var rawText = {
        IFRAME: 1, NOEMBED: 1, NOFRAMES: 1, NOSCRIPT: 1, PLAINTEXT: 1, SCRIPT: 1, STYLE: 1,
        XMP: 1
    };
    var html = "http://www.w3.org/1999/xhtml";

    function escapeText(text) {
        return text.replace(/&/g, "&amp;").replace(/\u00a0/g, "&nbsp;")
            .replace(/</g, "&lt;").replace(/>/g, "&gt;");
    }

    function escapeAttribute(value) {
        return value.replace(/&/g, "&amp;").replace(/\u00a0/g, "&nbsp;").replace(/"/g, "&quot;");
    }

    function children(parent) {
        var out = "";
        var container = parent.localName === "template" && parent.content ? parent.content : parent;
        for (var child = container.firstChild; child; child = child.nextSibling)
            out += node(child, parent);
        return out;
    }

    function element(el) {
        var name = el.tagName.toUpperCase();
        var out = "<" + name;
        for (var i = 0; i < el.attributes.length; i++) {
            var attribute = el.attributes[i];
            out += " " + attribute.name + "=\"" + escapeAttribute(attribute.value) + "\"";
        }
        out += ">";
        if (el.namespaceURI === html && voidElements[name])
            return out;
        return out + children(el) + "</" + name + ">";
    }

    function node(current, parent) {
        switch (current.nodeType) {
        case Node.ELEMENT_NODE:
            return element(current);
        case Node.TEXT_NODE:
            if (parent.namespaceURI === html && rawText[parent.tagName.toUpperCase()])
                return current.data;
            return escapeText(current.data);
        case Node.CDATA_SECTION_NODE:
            return "<![CDATA[" + current.data + "]]>";
        case Node.PROCESSING_INSTRUCTION_NODE:
            return "<?" + current.target + " " + current.data + ">";
        case Node.COMMENT_NODE:
            return "<!--" + current.data + "-->";
        default:
            return "";
        }
    }

    function markup() {
        return children(document.documentElement);
    }

    if (!window.tolvaneListening) {
        window.tolvaneListening = true;
        window.addEventListener("load", function () {
            var top = window === window.top;
            var report = { token: token, top: top, address: location.href };
            if (top) {
                try {
                    report.markup = markup();
                } catch (e) {
                    report.error = String(e);
                }
            }
            console.log(JSON.stringify(report));
        });
    }
    return markup;
})();
