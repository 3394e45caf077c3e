#include "app/ui/dark_page.h"

#include <QString>

namespace {

// The screen-only sheet, and the walk that works out each element's dark colours once per page
// (parents before children, with an explicit list: no recursion however deep the page).  Colours
// are computed in the light page's terms, so a second run gives the same result.
const QString kDarkScript = QStringLiteral(R"JS(
(function(on){
var root=document.documentElement;if(!root)return 0;
if(!on){root.classList.remove('vm-dark');return 0;}
if(!document.getElementById('vm-dark-sheet')){
 var s=document.createElement('style');s.id='vm-dark-sheet';
 s.textContent='@media screen{html.vm-dark,html.vm-dark body{background:#121212!important;color:#E6E6E6!important}'+
 'html.vm-dark .vm-section,html.vm-dark .vm-pg{background:#1E1E1E!important;box-shadow:0 1px 4px rgba(0,0,0,0.8)!important}'+
 'html.vm-dark .vm-dkb{background-color:var(--vm-dk-b)!important}'+
 'html.vm-dark .vm-dk{color:var(--vm-dk-c)!important}}';
 (document.head||root).appendChild(s);}
if(root.classList.contains('vm-dark-done')){root.classList.add('vm-dark');return -1;}
function rgba(t){var m=t.match(/[\d.]+/g)||[0,0,0,0];return [+m[0],+m[1],+m[2],m.length>3?+m[3]:1];}
function lin(c){c/=255;return c<=0.03928?c/12.92:Math.pow((c+0.055)/1.055,2.4);}
function lum(c){return 0.2126*lin(c[0])+0.7152*lin(c[1])+0.0722*lin(c[2]);}
function contrast(a,b){var x=lum(a),y=lum(b);return (Math.max(x,y)+0.05)/(Math.min(x,y)+0.05);}
function hsl(c){var r=c[0]/255,g=c[1]/255,b=c[2]/255,mx=Math.max(r,g,b),mn=Math.min(r,g,b),l=(mx+mn)/2,h=0,s=0,d=mx-mn;
 if(d>0){s=l>0.5?d/(2-mx-mn):d/(mx+mn);h=mx===r?(g-b)/d+(g<b?6:0):mx===g?(b-r)/d+2:(r-g)/d+4;h/=6;}return [h,s,l];}
function rgb(h,s,l){function f(p,q,t){if(t<0)t+=1;if(t>1)t-=1;return t<1/6?p+(q-p)*6*t:t<1/2?q:t<2/3?p+(q-p)*(2/3-t)*6:p;}
 if(s===0)return [l*255,l*255,l*255];var q=l<0.5?l*(1+s):l+s-l*s,p=2*l-q;return [f(p,q,h+1/3)*255,f(p,q,h)*255,f(p,q,h-1/3)*255];}
function css(c){return 'rgb('+Math.round(c[0])+','+Math.round(c[1])+','+Math.round(c[2])+')';}
function darkFill(c){var x=hsl(c);if(x[2]<0.5)return null;return rgb(x[0],x[1]*0.6,0.1+(1-x[2])*0.4);}
function readable(c,bg){if(contrast(c,bg)>=4.5)return null;var x=hsl(c),lo,hi,i,t,T=contrast([255,255,255],bg)>=7||contrast([0,0,0],bg)>=7?7:4.5;
 var up=contrast([255,255,255],bg)>=T;lo=up?x[2]:0;hi=up?1:x[2];
 for(i=0;i<20;i++){var m=(lo+hi)/2;t=rgb(x[0],x[1],m);if((contrast(t,bg)>=T)===up)hi=m;else lo=m;}
 return rgb(x[0],x[1],up?hi:lo);}
var page=[30,30,30],count=0,list=[[document.body,[18,18,18]]];
while(list.length){var it=list.pop(),e=it[0],bg=it[1];if(!e)continue;
 var st=getComputedStyle(e),fill=rgba(st.backgroundColor);
 if(e.classList.contains('vm-section')||e.classList.contains('vm-pg'))bg=page;
 else if(fill[3]>0.5&&e!==document.body){var d=darkFill(fill);if(d){e.classList.add('vm-dkb');e.style.setProperty('--vm-dk-b',css(d));bg=d;count++;}else bg=fill;}
 var own=false;for(var n=e.firstChild;n;n=n.nextSibling){if(n.nodeType===3&&/\S/.test(n.data)){own=true;break;}}
 if(own&&e!==document.body){var c=readable(rgba(st.color),bg);if(c){e.classList.add('vm-dk');e.style.setProperty('--vm-dk-c',css(c));count++;}}
 if(e.tagName==='IMG'||e.tagName==='svg')continue;
 for(var k=e.children.length-1;k>=0;k--)list.push([e.children[k],bg]);}
root.classList.add('vm-dark-done');root.classList.add('vm-dark');return count;
})(%1)
)JS");

}  // namespace

DarkPage::DarkPage(QWebEngineView* view) : PageScriptToggle(view, kDarkScript) {}
