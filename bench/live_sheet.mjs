// The live route sheet in Chromium, measured (bench/live_sheet.sh runs it):
//   save   from the moment a text is saved (by rename, as editors do) to the
//          first frame drawn after the page has put the new view in place;
//   load   a fresh load of a page: the server's answer, the first contentful
//          paint and the end of the load event, from the page's own timing.
//   node bench/live_sheet.mjs SAVE_URL SAVED_TEXT LOAD_URL RUNS
import { chromium } from 'playwright-core';
import { readFileSync, renameSync, writeFileSync } from 'node:fs';

const [saveUrl, savedText, loadUrl, runsWord] = process.argv.slice(2);
const runs = Number(runsWord);

function summary(name, values) {
  const v = values.filter(x => !Number.isNaN(x)).sort((a, b) => a - b);
  const at = q => v[Math.min(v.length - 1, Math.floor(q * v.length))];
  const f = x => x.toFixed(0);
  console.log(`| ${name} | ${f(at(0.5))} ms | ${f(at(0.25))}–${f(at(0.75))} | ${f(v[v.length - 1])} ms |`);
}

async function saveToPage(browser) {
  const page = await browser.newPage({ viewport: { width: 1280, height: 900 } });
  await page.goto(saveUrl, { waitUntil: 'load' });
  const text = readFileSync(savedText);
  const times = [];
  for (let i = 0; i < runs + 2; ++i) {
    const before = await page.evaluate(() => Number(document.body.dataset.version));
    const drawn = page.evaluate(v => new Promise(resolve => {
      const look = () => (Number(document.body.dataset.version) > v
        ? requestAnimationFrame(() => setTimeout(resolve, 0)) : setTimeout(look, 2));
      look();
    }), before);
    const start = performance.now();
    writeFileSync(savedText + '.new', text);
    renameSync(savedText + '.new', savedText);
    await drawn;
    if (i >= 2) times.push(performance.now() - start);  // two warm-up saves
  }
  await page.close();
  return times;
}

async function load(browser) {
  const page = await browser.newPage({ viewport: { width: 1280, height: 900 } });
  const server = [], paint = [], loaded = [];
  for (let i = 0; i < runs + 2; ++i) {
    await page.goto(loadUrl, { waitUntil: 'load' });
    const t = await page.evaluate(() => new Promise(resolve => requestAnimationFrame(() => setTimeout(() => {
      const nav = performance.getEntriesByType('navigation')[0];
      const fcp = performance.getEntriesByName('first-contentful-paint')[0];
      resolve([nav.responseEnd, fcp ? fcp.startTime : NaN, nav.loadEventEnd]);
    }, 0))));
    if (i < 2) continue;
    server.push(t[0]);
    paint.push(t[1]);
    loaded.push(t[2]);
  }
  await page.close();
  return { server, paint, loaded };
}

const browser = await chromium.launch({ executablePath: process.env.CHROMIUM, args: ['--no-sandbox'] });
try {
  console.log(`| measure (${runs} runs) | median | quartiles | worst |`);
  console.log('|---|---|---|---|');
  summary('save to updated page, 1000 km route', await saveToPage(browser));
  const l = await load(browser);
  summary('built-in page: response received', l.server);
  summary('built-in page: first contentful paint', l.paint);
  summary('built-in page: load event ended', l.loaded);
} finally {
  await browser.close();
}
