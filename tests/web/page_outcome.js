// Opens each address in a page of its own and prints, one line each, what
// the noVNC page comes to: "connected", "asks for a password" or "refused"
// (the server's reason goes to the error stream).
// Usage: node page_outcome.js URL...
const { kStepTimeoutMs, newPage, runWithBrowser } = require('./chromium');

async function outcome(browser, url) {
    const page = await newPage(browser, { width: 800, height: 600 });
    await page.goto(url, { timeout: kStepTimeoutMs });
    const handle = await page.waitForFunction(() => {
        if (document.documentElement.classList.contains('noVNC_connected'))
            return ['connected'];
        if (document.querySelector('#noVNC_credentials_dlg.noVNC_open'))
            return ['asks for a password'];
        const error = document.querySelector('#noVNC_status.noVNC_status_error');
        return error ? ['refused', error.textContent] : null;
    }, null, { timeout: kStepTimeoutMs, polling: 100 });
    const [result, reason] = await handle.jsonValue();
    if (reason)
        console.error(`${url}: ${reason}`);
    await page.close();
    return result;
}

runWithBrowser(async (browser, ...urls) => {
    for (const url of urls)
        console.log(await outcome(browser, url));
});
