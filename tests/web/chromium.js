// Debian's Chromium as the browser test drives it: playwright-core never
// downloads a browser of its own.
const { chromium } = require('playwright-core');

const kStepTimeoutMs = 20000;

function launch() {
    return chromium.launch({
        executablePath: '/usr/bin/chromium',
        timeout: kStepTimeoutMs,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
}

// A page with nothing shared with the browser's other pages. The
// certificate of an https page, made for the test, is taken unchecked.
function newPage(browser, viewport) {
    return browser.newPage({ viewport, ignoreHTTPSErrors: true });
}

// Runs main(browser, ...the command line's arguments); a failure ends the
// program with a non-zero status and says why.
function runWithBrowser(main) {
    launch().then(async browser => {
        try {
            await main(browser, ...process.argv.slice(2));
        } finally {
            await browser.close();
        }
    }).catch(error => {
        console.error(`browser: ${error.message}`);
        process.exit(1);
    });
}

module.exports = { kStepTimeoutMs, newPage, runWithBrowser };
