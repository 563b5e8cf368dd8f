#include "platform/HtmlTextRangeScript.h"

namespace {

// The document's text is indexed afresh for each search, as the page may have changed since:
// the rendered text, with the text node and offset that each character stands for.
// White space collapses as the page shows it; a line break (<br>) or a change of block starts a
// "\n" that no search text can match, so matches never run across lines of the page.
const char *const RangeScript = R"JS(
(function () {
    'use strict';
    if (window.__kvTextRanges)
        return;
    const ranges = new Map();
    const SKIPPED = new Set(['SCRIPT', 'STYLE', 'NOSCRIPT', 'TEMPLATE', 'HEAD', 'TITLE', 'TEXTAREA',
                             'SELECT', 'OPTION', 'IFRAME', 'OBJECT', 'SVG']);
    const SPACE = /[ \t\n\r\f]/;
    // Text in which white space collapses or stands in for a space.
    const COLLAPSING = /[\t\n\r\f\u00a0]|  /;
    const WORD = /[\p{L}\p{N}\p{M}_]/u;

    function root() {
        return document.body || document.documentElement;
    }

    // A range the page no longer has (a new document) starts again over the whole body.
    function get(id) {
        let range = ranges.get(id);
        if (!range) {
            range = document.createRange();
            if (root())
                range.selectNodeContents(root());
            ranges.set(id, range);
        }
        return range;
    }

    function cached(compute) {
        const results = new Map();
        return key => {
            let value = results.get(key);
            if (value === undefined) {
                value = compute(key);
                results.set(key, value);
            }
            return value;
        };
    }

    // The rendered text of the document: the text and, for each text node's piece of it, where
    // it starts and (where white space collapsed) the node offset of each of its characters.
    function index(top) {
        const styles = cached(e => getComputedStyle(e));
        // Text shows when its element has boxes on screen and is not made invisible; an element
        // that only groups its children has no boxes of its own.
        const shown = cached(e => {
            if (styles(e).visibility !== 'visible')
                return false;
            if (styles(e).display === 'contents')
                return !e.parentElement || shown(e.parentElement);
            return e.getClientRects().length > 0;
        });
        const blockOf = cached(e => {
            if (e === top)
                return top;
            const display = styles(e).display;
            if (display !== 'inline' && display !== 'contents')
                return e;
            return e.parentElement ? blockOf(e.parentElement) : top;
        });
        const parts = [], pieces = [];
        let length = 0, lastBlock = null, pendingBreak = false, afterSpace = true;
        const walker = document.createTreeWalker(top, NodeFilter.SHOW_TEXT | NodeFilter.SHOW_ELEMENT, {
            acceptNode: n => n.nodeType === Node.ELEMENT_NODE && SKIPPED.has(n.tagName.toUpperCase())
                ? NodeFilter.FILTER_REJECT : NodeFilter.FILTER_ACCEPT
        });
        for (let n = walker.nextNode(); n; n = walker.nextNode()) {
            if (n.nodeType === Node.ELEMENT_NODE) {
                if (n.tagName === 'BR')
                    pendingBreak = true;
                continue;
            }
            const data = n.data;
            if (!data.length || !n.parentElement || !shown(n.parentElement))
                continue;
            const block = blockOf(n.parentElement);
            if (length && (pendingBreak || block !== lastBlock)) {
                parts.push('\n');
                pieces.push({ at: length, node: n, offsets: [0] });
                ++length;
                afterSpace = true;
            }
            pendingBreak = false;
            lastBlock = block;
            if (!COLLAPSING.test(data) && !(afterSpace && data[0] === ' ')) {
                parts.push(data);
                pieces.push({ at: length, node: n, offsets: null });
                length += data.length;
                afterSpace = data[data.length - 1] === ' ';
                continue;
            }
            let text = '';
            const offsets = [];
            for (let i = 0; i < data.length; ++i) {
                let c = data[i];
                if (SPACE.test(c)) {
                    if (afterSpace)
                        continue;
                    c = ' ';
                    afterSpace = true;
                } else {
                    if (c === '\u00a0')
                        c = ' ';
                    afterSpace = false;
                }
                text += c;
                offsets.push(i);
            }
            if (!text.length)
                continue;
            parts.push(text);
            pieces.push({ at: length, node: n, offsets: offsets });
            length += text.length;
        }
        return { text: parts.join(''), pieces: pieces };
    }

    // The text node and offset of a character of the index.
    function pointAt(idx, i) {
        let lo = 0, hi = idx.pieces.length - 1;
        while (lo < hi) {
            const mid = (lo + hi + 1) >> 1;
            if (idx.pieces[mid].at <= i)
                lo = mid;
            else
                hi = mid - 1;
        }
        const piece = idx.pieces[lo];
        return { node: piece.node, offset: piece.offsets ? piece.offsets[i - piece.at] : i - piece.at };
    }

    // Lower case that keeps every character at its place in the text.
    function fold(text) {
        const lower = text.toLowerCase();
        if (lower.length === text.length)
            return lower;
        let out = '';
        for (const c of text) {
            const l = c.toLowerCase();
            out += l.length === c.length ? l : c;
        }
        return out;
    }

    // The first character of the index at or after a boundary point of the document.
    function firstAtOrAfter(idx, container, offset) {
        const point = document.createRange();
        point.setStart(container, offset);
        let lo = 0, hi = idx.text.length;
        while (lo < hi) {
            const mid = (lo + hi) >> 1;
            const p = pointAt(idx, mid);
            if (point.comparePoint(p.node, p.offset) < 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    }

    function wholeWord(hay, at, needle) {
        if (WORD.test(needle[0]) && at > 0 && WORD.test(hay[at - 1]))
            return false;
        const end = at + needle.length;
        return !(WORD.test(needle[needle.length - 1]) && end < hay.length && WORD.test(hay[end]));
    }

    function find(id, text, count, flags) {
        const range = get(id);
        const top = root();
        let needle = String(text).replace(/[ \t\n\r\f]+/g, ' ').replace(/\u00a0/g, ' ');
        if (!top || !needle.length)
            return false;
        const idx = index(top);
        const matchCase = (flags & 4) !== 0, whole = (flags & 2) !== 0;
        const hay = matchCase ? idx.text : fold(idx.text);
        if (!matchCase)
            needle = fold(needle);
        let at = -1;
        if (count >= 0) {
            at = hay.indexOf(needle, firstAtOrAfter(idx, range.startContainer, range.startOffset));
            while (at >= 0 && whole && !wholeWord(hay, at, needle))
                at = hay.indexOf(needle, at + 1);
        } else {
            const last = firstAtOrAfter(idx, range.endContainer, range.endOffset) - needle.length;
            at = last >= 0 ? hay.lastIndexOf(needle, last) : -1;
            while (at >= 0 && whole && !wholeWord(hay, at, needle))
                at = at > 0 ? hay.lastIndexOf(needle, at - 1) : -1;
        }
        if (at < 0)
            return false;
        const first = pointAt(idx, at), last = pointAt(idx, at + needle.length - 1);
        range.setStart(first.node, first.offset);
        range.setEnd(last.node, last.offset + 1);
        return true;
    }

    function select(id) {
        const selection = document.getSelection();
        selection.removeAllRanges();
        selection.addRange(get(id).cloneRange());
        return true;
    }

    function setEndPoint(id, how, sourceId) {
        const range = get(id), source = get(sourceId).cloneRange();
        const fromEnd = how.endsWith('ToEnd');
        const container = fromEnd ? source.endContainer : source.startContainer;
        const offset = fromEnd ? source.endOffset : source.startOffset;
        if (how.startsWith('StartTo'))
            range.setStart(container, offset);
        else
            range.setEnd(container, offset);
        return true;
    }

    // The range's own box, or for an empty range the box of the element that holds it.
    function boxOf(range) {
        const rect = range.getBoundingClientRect();
        if (rect.width || rect.height || !range.collapsed)
            return rect;
        const node = range.startContainer;
        const element = node.nodeType === Node.ELEMENT_NODE ? node : node.parentElement;
        return element ? element.getBoundingClientRect() : rect;
    }

    function scrollIntoView(id, start) {
        const rect = boxOf(get(id));
        const dy = start ? rect.top : rect.bottom - window.innerHeight;
        let dx = 0;
        if (rect.left < 0 || rect.right > window.innerWidth)
            dx = rect.left;
        window.scrollBy(dx, dy);
        return true;
    }

    window.__kvTextRanges = {
        create: id => !!get(id),
        find: find,
        select: select,
        setEndPoint: setEndPoint,
        scrollIntoView: scrollIntoView,
        release: id => ranges.delete(id)
    };
})();
)JS";

} // namespace

QString HtmlTextRangeScript::Call(int rangeId, const QString &method, const QString &arguments)
{
    QString call = QStringLiteral("window.__kvTextRanges.%1(%2").arg(method).arg(rangeId);
    if (!arguments.isEmpty())
        call += QStringLiteral(", ") + arguments;
    call += QStringLiteral(");");
    return QString::fromUtf8(RangeScript) + call;
}
