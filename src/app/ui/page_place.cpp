#include "app/ui/page_place.h"

namespace {

// The blocks of the document's own text are the children of the page div, or of its sections
// (class "vm-section") on the faithful page; what the converter sets around them (header, notes,
// comments, footer) carries an id that starts with "vellumine-".  In the page view the blocks laid
// out so far stand in the pages' columns, before the page div; the pieces a block was split into
// after its first (class "vm-cont") and the notes and comments the page view takes out of their
// lists are not blocks of their own, so a place is the same block in both views.  The chunks a long
// page's blocks come in (class "vm-chunk") are not blocks either: the blocks are those inside.
const QString kTextBlocks = QStringLiteral(
    "function textBlocks(){var p=document.getElementById('page'),b=[];if(!p)return b;"
    "function add(c,top){for(var e=c.firstElementChild;e;e=e.nextElementSibling){"
    "if(e.id&&e.id.indexOf('vellumine-')===0)continue;"
    "if(e.classList.contains('vm-cont')||e.classList.contains('vm-note')||e.classList.contains('vm-comment'))continue;"
    "if((top&&e.classList.contains('vm-section'))||e.classList.contains('vm-chunk')){add(e,false);continue;}"
    "b.push(e);}}"
    "var cols=document.querySelectorAll('#vm-pages .vm-col');for(var k=0;k<cols.length;k++)add(cols[k],false);"
    "add(p,true);return b;}");

}  // namespace

// A block that starts below the top of the view (after the gap between two pages, or between two
// paragraphs) is put back at the top.  A chunk wholly above the view is passed by its own box: its
// blocks' boxes would have the browser lay it out.
QString readTextPlaceScript() {
  return kTextBlocks + QStringLiteral(
                           "(function(){var b=textBlocks();for(var k=0;k<b.length;k++){var c=b[k].parentNode;"
                           "if(c.classList.contains('vm-chunk')&&c.getBoundingClientRect().bottom<=0){"
                           "while(k+1<b.length&&b[k+1].parentNode===c)k++;continue;}var r=b[k].getBoundingClientRect();"
                           "if(r.bottom>0)return [window.scrollX,Math.max(-r.top,0),-1,k];}"
                           "return [window.scrollX,window.scrollY,-1,-1];})()");
}

// Rounded up: blocks stand at fractions of a pixel (pages, line heights), and rounding down would
// leave a sliver of the block before at the top.
QString scrollToTextPlaceScript(int block, double x, double y) {
  return kTextBlocks + QStringLiteral(
                           "(function(){var b=textBlocks();if(b.length<=%1){window.scrollTo(0,0);"
                           "return false;}var r=b[%1].getBoundingClientRect();"
                           "window.scrollTo(%2,Math.ceil(window.scrollY+r.top+%3));return true;})()")
                           .arg(block)
                           .arg(x, 0, 'f', 0)
                           .arg(y, 0, 'f', 0);
}
