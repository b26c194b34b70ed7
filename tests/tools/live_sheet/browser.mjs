// Drives the live route sheet in Chromium: the page of the built-in texts,
// then saves over the texts while the page stays open and checks that each
// save shows within two seconds, without a reload.
//   node browser.mjs URL LINE_TEXT SERVICE_TEXT [SCREENSHOT]
import { chromium } from 'playwright-core';
import { readFileSync, renameSync, writeFileSync } from 'node:fs';
import assert from 'node:assert/strict';

const [url, linePath, servicePath, screenshot] = process.argv.slice(2);
const originalLine = readFileSync(linePath, 'latin1');
const originalService = readFileSync(servicePath, 'latin1');
const summary = 'route 73500 m \u00b7 10 stations \u00b7 25 signals \u00b7 scenario codes 30208 / 2229';
const withinTwoSeconds = { timeout: 2000 };

// An editor's save: a new file renamed over the old one.
function saveByRename(path, text) {
  writeFileSync(path + '.new', text, 'latin1');
  renameSync(path + '.new', path);
}

function replaced(text, from, to) {
  assert.ok(text.includes(from), `the text holds ${from}`);
  return text.replace(from, to);
}

const browser = await chromium.launch({ executablePath: process.env.CHROMIUM, args: ['--no-sandbox'] });
try {
  const page = await browser.newPage({ viewport: { width: 1280, height: 600 } });
  const failures = [];
  page.on('pageerror', e => failures.push(e.message));
  page.on('console', m => { if (m.type() === 'error') failures.push(m.text()); });
  await page.goto(url);

  // The built-in scenario: its stations on the sheet, the summary, no diagnostics.
  assert.equal(await page.locator('#sheet svg g.station').count(), 10);
  for (const name of ['Valmora', 'Bivio Santa Ferla', 'Dorvane'])
    assert.ok(await page.locator('#sheet svg g.station text', { hasText: name }).count() >= 1, name);
  assert.equal(await page.locator('#summary').textContent(), summary);
  assert.equal(await page.locator('#diagnostics').innerText(), 'No errors or warnings.');

  // A timetable speed off the 5 km/h step, saved by rename: the warning comes
  // with its place, and the page keeps its scroll position, not reloaded.
  await page.evaluate(() => { window.notReloaded = true; window.scrollTo(0, 300); });
  assert.equal(await page.evaluate(() => window.scrollY), 300);
  saveByRename(servicePath, replaced(originalService, 'velocita,    1000,   125', 'velocita,    1000,   123'));
  const warning = page.locator('#diagnostics li.warning', { hasText: '-Wspeed-step' });
  await warning.waitFor(withinTwoSeconds);
  assert.match(await warning.innerText(), /_ICN 853-\.txt:12:22: warning: timetable speed 123 km\/h/);
  assert.equal(await page.evaluate(() => window.notReloaded && window.scrollY), 300);

  // Clicking the warning points at the objects at its place on the sheet.
  await warning.click();
  assert.equal(await page.locator('#sheet svg #marker').count(), 1);
  assert.ok(await page.locator('#sheet svg g.hl').count() >= 1);
  if (screenshot) {
    await page.evaluate(() => window.scrollTo(0, 0));
    await page.screenshot({ path: screenshot, fullPage: true });
  }

  // A station named with markup shows the markup as text.
  saveByRename(servicePath, replaced(originalService, ', Valmora\r\n', ', <b>Val</b>&amp;\r\n'));
  const markup = page.locator('#sheet svg g.station text', { hasText: '<b>Val</b>&amp;' });
  await markup.waitFor(withinTwoSeconds);
  assert.equal(await markup.count(), 1);
  assert.equal(await page.locator('#sheet b, #diagnostics b').count(), 0);

  // A line text that leaves no grid: the error with its line and column, no sheet.
  writeFileSync(linePath, replaced(originalLine, 'lunghezza percorso,    73500', 'lunghezza percorso,    2000000'),
                'latin1');
  const error = page.locator('#diagnostics li.error', { hasText: 'route length above 1,000,000 m' });
  await error.waitFor(withinTwoSeconds);
  assert.match(await error.innerText(), /Valmora - Dorvane_linea\.txt:2:24: error 1: route length above 1,000,000 m/);
  assert.equal(await page.locator('#sheet svg').count(), 0);
  assert.match(await page.locator('#notice').innerText(), /left no track grid/);

  // Mended: the sheet comes back and the error goes.
  saveByRename(linePath, originalLine);
  await page.locator('#sheet svg g.station').first().waitFor(withinTwoSeconds);
  assert.equal(await page.locator('#sheet svg g.station').count(), 10);
  assert.equal(await error.count(), 0);

  // Missing for a moment: a notice, and the last sheet stays.
  saveByRename(servicePath, originalService);
  await page.locator('#diagnostics li.none').waitFor(withinTwoSeconds);
  writeFileSync(servicePath + '.moved', originalService, 'latin1');
  renameSync(servicePath, servicePath + '.gone');
  await page.locator('#notice', { hasText: 'is missing' }).waitFor(withinTwoSeconds);
  assert.equal(await page.locator('#sheet svg g.station').count(), 10);
  renameSync(servicePath + '.gone', servicePath);
  await page.locator('#notice:empty').waitFor({ state: 'attached', ...withinTwoSeconds });

  assert.deepEqual(failures, []);

  // Without JavaScript the page is the same view, standing still.
  const still = await browser.newContext({ javaScriptEnabled: false });
  const stillPage = await still.newPage();
  await stillPage.goto(url);
  assert.equal(await stillPage.locator('#sheet svg g.station').count(), 10);
  assert.equal(await stillPage.locator('#summary').textContent(), summary);
  await still.close();
  console.log('browser: every check passed');
} finally {
  await browser.close();
}
